#include "../run/ProcessTestSupport.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace testsupport;

// Runs the window process to its end; its exit status, or -1 if it had to be killed.
int RunWindowProcess(const std::string& exitPath) {
    std::string driver = EXIT_PATH_DRIVER;
    std::string arg = exitPath;
    char* argv[] = {driver.data(), arg.data(), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, driver.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    const bool ended = Eventually([&] { return ::waitpid(pid, &status, WNOHANG) == pid; },
                                  std::chrono::seconds(20));
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class ExitPathTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ExitPathTest, EndsTheProcessWithStatusZeroAndTheSimulatorWithIt) {
    ScratchDirectory dir;
    std::filesystem::copy_file(STANDIN_SIMULATOR, "sim-zemlo.exe");
    WriteFile("applu.in", "");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("STANDIN_SLEEP_MS", "20000", 1);
    const int status = RunWindowProcess(GetParam());
    ::unsetenv("STANDIN_SLEEP_MS");
    EXPECT_EQ(status, 0);
    if (std::string(GetParam()) == "idle")
        return;
    ASSERT_TRUE(std::filesystem::exists("standin-pid.txt")) << "the simulator never ran";
    const pid_t simulator = pid_t(std::atol(ReadFile("standin-pid.txt").c_str()));
    EXPECT_TRUE(Eventually([&] { return IsGoneOrZombie(simulator); }))
        << "the simulator outlived the window";
}

INSTANTIATE_TEST_SUITE_P(Paths, ExitPathTest,
                         ::testing::Values("close-box", "menu-exit", "exit-button", "idle"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
