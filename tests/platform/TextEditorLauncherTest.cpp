// Which editor opens a results file, and that the path reaches it as one argument.
#include "platform/TextEditorLauncher.h"
#include "NamedCase.h"

#include "TempDir.h"

#include <QDir>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace {
using testcases::PrintTo;

// Puts an environment variable for one test and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), saved_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() {
        if (had_) {
            qputenv(name_, saved_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    bool had_;
    QByteArray saved_;
};

class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& path) : saved_(QDir::currentPath()) {
        QDir::setCurrent(QString::fromStdString(path));
    }
    ~ScopedCurrentDirectory() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

// A stand-in editor: writes each argument on a line of its own into record.
std::string WriteRecorder(const TempDir& dir, const std::string& name, const std::string& record) {
    const std::string path = dir.write(
        name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record + "'\n");
    chmod(path.c_str(), 0755);
    return path;
}

std::string WaitForRecord(const std::string& record) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(record);
        std::stringstream content;
        content << in.rdbuf();
        if (!content.str().empty()) {
            return content.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

TEST(TextEditorLauncher, NotepadInTheWorkingDirectoryComesFirst) {
    TempDir work;
    TempDir elsewhere;
    const std::string local = WriteRecorder(work, "notepad.exe", work.file("record"));
    WriteRecorder(elsewhere, "notepad.exe", elsewhere.file("record"));
    ScopedCurrentDirectory cd(work.path());
    ScopedEnvironment path("PATH", QByteArray::fromStdString(elsewhere.path()) + ":/usr/bin:/bin");
    const EditorCommand command = TextEditorCommand("/x/y.res");
    EXPECT_EQ(command.program.toStdString(), local);
    EXPECT_EQ(command.arguments, QStringList{"/x/y.res"});
}

TEST(TextEditorLauncher, PathWithSpacesAndQuotesReachesTheEditorAsOneArgument) {
    TempDir work;
    const std::string record = work.file("record");
    WriteRecorder(work, "notepad.exe", record);
    ScopedCurrentDirectory cd(work.path());
    const std::string odd = work.file("my \"odd\" file; $(x).res");
    ASSERT_TRUE(LaunchTextEditor(odd));
    EXPECT_EQ(WaitForRecord(record), odd + "\n");
}

TEST(TextEditorLauncher, WithoutNotepadTheDefaultPlainTextApplicationOpensIt) {
    TempDir work;
    TempDir bin;
    TempDir data;
    const std::string record = work.file("record");
    const std::string editor = WriteRecorder(bin, "my-editor", record);
    const std::string xdgMime =
        bin.write("xdg-mime", "#!/bin/sh\n[ \"$*\" = 'query default text/plain' ] && "
                              "echo my-editor.desktop\n");
    chmod(xdgMime.c_str(), 0755);
    QDir().mkpath(QString::fromStdString(data.file("applications")));
    data.write("applications/my-editor.desktop",
               "[Desktop Entry]\nType=Application\nName=Mine\nExec=\"" + editor +
                   "\" --new-window %F\n[Desktop Action x]\nExec=wrong\n");
    ScopedCurrentDirectory cd(work.path());
    ScopedEnvironment path("PATH", QByteArray::fromStdString(bin.path()) + ":/usr/bin:/bin");
    ScopedEnvironment dirs("XDG_DATA_DIRS", QByteArray::fromStdString(data.path()));
    ScopedEnvironment home("XDG_DATA_HOME", QByteArray::fromStdString(work.file("nohome")));

    const EditorCommand command = TextEditorCommand("/r/a b.res");
    EXPECT_EQ(command.program.toStdString(), editor);
    EXPECT_EQ(command.arguments, (QStringList{"--new-window", "/r/a b.res"}));
    ASSERT_TRUE(LaunchTextEditor("/r/a b.res"));
    EXPECT_EQ(WaitForRecord(record), "--new-window\n/r/a b.res\n");
}

TEST(TextEditorLauncher, WithNeitherXdgOpenIsAsked) {
    TempDir work;
    TempDir bin;
    ScopedCurrentDirectory cd(work.path());
    ScopedEnvironment path("PATH", QByteArray::fromStdString(bin.path()));
    const EditorCommand command = TextEditorCommand("/r/x.res");
    EXPECT_EQ(command.program, "xdg-open");
    EXPECT_EQ(command.arguments, QStringList{"/r/x.res"});
}

struct ExecCase {
    const char* name;
    const char* exec;
    std::optional<QStringList> expected;
};

class DesktopExecTest : public ::testing::TestWithParam<ExecCase> {};

TEST_P(DesktopExecTest, PutsTheFileInItsPlace) {
    EXPECT_EQ(ExpandDesktopExec(GetParam().exec, "/d/f g.res"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ExecLines, DesktopExecTest,
    ::testing::Values(ExecCase{"FileCode", "gedit %U", QStringList{"gedit", "/d/f g.res"}},
                      ExecCase{"NoFileCode", "mousepad", QStringList{"mousepad", "/d/f g.res"}},
                      ExecCase{"OtherCodesDropped", "kate -b %i %c %f",
                               QStringList{"kate", "-b", "/d/f g.res"}},
                      ExecCase{"QuotedProgram", "\"/opt/my edit/bin\" %f",
                               QStringList{"/opt/my edit/bin", "/d/f g.res"}},
                      ExecCase{"EscapedPercent", "tool --x=100%% %f",
                               QStringList{"tool", "--x=100%", "/d/f g.res"}},
                      ExecCase{"FileOnlyOnce", "ed %f %F", QStringList{"ed", "/d/f g.res"}},
                      ExecCase{"UnclosedQuote", "\"broken %f", std::nullopt},
                      ExecCase{"Empty", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
