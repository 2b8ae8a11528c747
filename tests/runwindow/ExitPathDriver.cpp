// A window process for the tests of the exit paths: it opens the real main window in the
// current directory, starts a run of the stand-in simulator found there, and once the
// simulator runs, takes the exit path named by its argument. The process must then end with
// status 0, its simulator terminated.
#include "dialog/ZemloDlg.h"
#include "platform/DialogServices.h"
#include "res/ControlIds.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

class ChoosingServices : public QtDialogServices {
public:
    std::optional<std::string> ChooseFileToOpen(QWidget*, const std::string&) override {
        return std::filesystem::current_path().string() + "/applu.ss";
    }
    void ShowMessage(QWidget*, const std::string& text) override {
        ::write(2, text.data(), text.size());
        std::_Exit(3);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string path = argv[1];
    QApplication app(argc, argv);
    ChoosingServices services;
    CZemloDlg dialog(services);
    dialog.InitDialog();
    dialog.show();
    dialog.OnFileDialogButton();
    if (path != "idle") {
        dialog.OnOK();
        if (dialog.IsControlEnabled(ids::IDOK))
            return 4; // the run did not start
    }
    // The exit path is taken once the simulator is known to run (it notes its pid as it
    // starts), so that the test can see it was running and is then gone.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (path != "idle" && !std::filesystem::exists("standin-pid.txt"))
            return;
        poll.stop();
        if (path == "close-box" || path == "idle")
            dialog.close();
        else if (path == "menu-exit")
            dialog.menuItem(1, 0)->trigger();
        else if (path == "exit-button")
            qobject_cast<QAbstractButton*>(dialog.control(ids::IDC_EXIT))->click();
    });
    poll.start(10);
    app.exec();
    return 5; // an exit path returned
}
