// The real window in a process of its own, closed through its frame once it is up. The close
// ends the process with status 0; reaching the end of main means the close did not.
#include "dialog/ZemloDlg.h"
#include "platform/DialogServices.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QtDialogServices services;
    CZemloDlg window(services);
    QTimer::singleShot(0, &window, [&window] { window.close(); });
    window.DoModal();
    return 3;
}
