// The close box ends a real process with exit status 0.
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace {

TEST(CloseBox, EndsTheProcessWithStatusZero) {
    const std::string driver = ZEMLO_CLOSE_BOX_DRIVER;
    char* argv[] = {const_cast<char*>(driver.c_str()), nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, driver.c_str(), nullptr, nullptr, argv, environ), 0);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
