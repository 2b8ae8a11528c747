// The real window program started where no window can open: one line on standard error that
// names the cause, and exit status 1 (not a silent abort).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    int status = -1;
    std::string err;
};

// Runs the program with the environment less DISPLAY and QT_QPA_PLATFORM (the test command
// exports the offscreen platform), plus the given settings.
Outcome RunWindowProgram(const std::vector<std::string>& settings) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            entry.rfind("WAYLAND_DISPLAY=", 0) != 0)
            env.push_back(entry);
    }
    env.insert(env.end(), settings.begin(), settings.end());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char* const argv[] = {const_cast<char*>(ZEMLO_PROGRAM), nullptr};

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 2);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        execve(argv[0], argv, envp.data());
        _exit(127);
    }
    close(pipeFds[1]);
    Outcome outcome;
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        outcome.err.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

// A display number that no X server here answers: no socket of that number exists.
std::string UnusedDisplay() {
    for (int n = 97;; ++n) {
        struct stat st;
        if (stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &st) != 0)
            return ":" + std::to_string(n);
    }
}

TEST(NoDisplay, DisplayNotSetIsSaidInOneLineAndStatusOne) {
    const Outcome outcome = RunWindowProgram({});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "zemlo: cannot open a window: no X display (DISPLAY is not set)\n");
}

TEST(NoDisplay, UnreachableDisplayIsNamed) {
    const std::string display = UnusedDisplay();
    const Outcome outcome = RunWindowProgram({"DISPLAY=" + display});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "zemlo: cannot open a window: the X display \"" + display +
                               "\" refused the connection or does not exist\n");
}

TEST(NoDisplay, UnknownPlatformIsNamed) {
    const Outcome outcome = RunWindowProgram({"QT_QPA_PLATFORM=nosuchplatform"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "zemlo: cannot open a window: no Qt platform plugin \"nosuchplatform\"\n");
}

} // namespace
