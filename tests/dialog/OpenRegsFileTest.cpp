// Open_Regs_File against real file failures: the message for the cause with the full path,
// and the editor started with that path in every case.
#include "NamedCase.h"
#include "WindowFixture.h"

#include "LockingWriter.h"
#include "TempDir.h"
#include "platform/DialogServices.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
using testcases::PrintTo;
using namespace ids;

struct FailureCase {
    const char* name;
    // Makes the failure; the path to choose.
    std::function<std::string(const TempDir&)> make;
    // Runs the handler under the failure's conditions.
    std::function<void(CZemloDlg&)> open;
    const char* messageAfterPath; // empty: no message
    const char* messageBeforePath = "";
};

void PlainOpen(CZemloDlg& window) {
    window.OnOpenRegsFile();
}

void OpenWithoutFreeDescriptors(CZemloDlg& window) {
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = 3;
    setrlimit(RLIMIT_NOFILE, &tight);
    window.OnOpenRegsFile();
    setrlimit(RLIMIT_NOFILE, &saved);
}

void OpenAsNobody(CZemloDlg& window) {
    const bool root = geteuid() == 0;
    if (root) {
        (void)!seteuid(65534);
    }
    window.OnOpenRegsFile();
    if (root) {
        (void)!seteuid(0);
    }
}

class OpenRegsFileTest : public WindowFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(OpenRegsFileTest, MessageForTheCauseThenTheEditorWithTheFullPath) {
    TempDir dir;
    const std::string path = GetParam().make(dir);
    services.fileAnswers.push_back(path);
    GetParam().open(window);
    EXPECT_EQ(services.filters, std::vector<std::string>{"Benchmarks (*.res)|*.res||"});
    if (std::string(GetParam().messageAfterPath).empty()) {
        EXPECT_TRUE(services.messages.empty());
    } else {
        EXPECT_EQ(services.messages, std::vector<std::string>{GetParam().messageBeforePath + path +
                                                              GetParam().messageAfterPath});
    }
    EXPECT_EQ(services.editorPaths, std::vector<std::string>{path});
    EXPECT_EQ(EnabledStates(), OpeningStates());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, OpenRegsFileTest,
    ::testing::Values(
        FailureCase{"Readable", [](const TempDir& d) { return d.write("sim out.res", "x 1"); },
                    PlainOpen, ""},
        FailureCase{"MissingFile", [](const TempDir& d) { return d.file("typed name.res"); },
                    PlainOpen, " was not found."},
        FailureCase{"MissingDirectory", [](const TempDir& d) { return d.file("gone/away/x.res"); },
                    PlainOpen, " contains an invalid path."},
        FailureCase{"FileUsedAsDirectory",
                    [](const TempDir& d) {
                        d.write("plain");
                        return d.file("plain/x.res");
                    },
                    PlainOpen, " contains an invalid path."},
        FailureCase{"TooManyOpenFiles", [](const TempDir& d) { return d.write("a.res", "1"); },
                    OpenWithoutFreeDescriptors,
                    " could not be opened because there are too many open files."},
        FailureCase{"AccessDenied",
                    [](const TempDir& d) {
                        const std::string path = d.write("secret.res", "1");
                        chmod(path.c_str(), geteuid() == 0 ? 0600 : 0000);
                        chmod(d.path().c_str(), 0755);
                        return path;
                    },
                    OpenAsNobody, " was denied.", "Access to "},
        FailureCase{"FifoDoesNotBlock",
                    [](const TempDir& d) {
                        const std::string path = d.file("pipe.res");
                        mkfifo(path.c_str(), 0644);
                        return path;
                    },
                    PlainOpen, ""}),
    [](const auto& info) { return std::string(info.param.name); });

using OpenRegsFile = WindowFixture;

TEST_F(OpenRegsFile, WritersExclusiveLockIsASharingViolation) {
    TempDir dir;
    const std::string path = dir.write("busy.res", "1");
    LockingWriter writer(path);
    ASSERT_TRUE(writer.locked());
    services.fileAnswers.push_back(path);
    Click(IDC_OPEN_REGS_FILE);
    EXPECT_EQ(services.messages, std::vector<std::string>{
                                     "A sharing violation occurred while accessing " + path + "."});
    EXPECT_EQ(services.editorPaths, std::vector<std::string>{path});
}

TEST_F(OpenRegsFile, CancelDoesNothing) {
    services.fileAnswers.push_back(std::nullopt);
    Click(IDC_OPEN_REGS_FILE);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(services.editorPaths.empty());
}

TEST_F(OpenRegsFile, WorksWhileARunIsWatched) {
    window.EnableComponents(false);
    window.DisableRunStartList();
    TempDir dir;
    services.fileAnswers.push_back(dir.write("r.res", "1"));
    Click(IDC_OPEN_REGS_FILE);
    EXPECT_EQ(services.editorPaths.size(), 1u);
}

// End to end: the real file dialog takes a typed missing name, the real message box shows the
// message, and a stand-in "notepad.exe" in the working directory receives the path.
TEST(OpenRegsFileWithRealServices, MissingTypedNameIsReportedAndStillOpened) {
    TempDir work;
    const std::string record = work.file("record");
    const std::string notepad =
        work.write("notepad.exe", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                      record + "'\n");
    chmod(notepad.c_str(), 0755);
    const QString savedDirectory = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(work.path()));

    QtDialogServices services;
    CZemloDlg window(services);
    window.SetProcessExit([](int) {});
    window.InitDialog();
    window.show();
    const std::string typed = work.file("no such file's.res");
    QString shownMessage;
    QString shownTitle;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(typed));
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shownMessage = box->text();
            shownTitle = box->windowTitle();
            poll->stop();
            poll->deleteLater();
            box->accept();
        }
    });
    poll->start(10);
    window.OnOpenRegsFile();
    QDir::setCurrent(savedDirectory);

    EXPECT_EQ(shownTitle, "Zemlo");
    EXPECT_EQ(shownMessage.toStdString(), typed + " was not found.");
    std::string recorded;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (recorded.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(record);
        std::stringstream content;
        content << in.rdbuf();
        recorded = content.str();
    }
    EXPECT_EQ(recorded, typed + "\n");
}

} // namespace
