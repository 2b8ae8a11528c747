#include "app/Zemlo.h"

#include <QApplication>

namespace {
// Nothing is logged: errors the user must see are message boxes.
void DiscardMessage(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

CZemloApp theApp;

int main(int argc, char** argv) {
    qInstallMessageHandler(DiscardMessage);
    QApplication application(argc, argv);
    theApp.InitInstance();
    return 0;
}
