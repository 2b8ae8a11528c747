#include "tests/sim/ProcessRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace simtest {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string MakeTempDirectory(const std::string& tag) {
    std::string pattern = testing::TempDir() + "/zemlo-sim-" + tag + "-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return testing::TempDir();
    return pattern;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& directory,
                         const std::string& stdinPath, int timeoutSeconds,
                         const std::vector<std::string>& extraEnvironment) {
    // Everything the child needs is prepared before fork: it only redirects and execs.
    const std::string outPath = directory + "/.stdout", errPath = directory + "/.stderr";
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.insert(envStrings.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> env;
    for (std::string& e : envStrings)
        env.push_back(e.data());
    env.push_back(nullptr);
    const int in = open(stdinPath.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ProcessResult result;
    if (in < 0 || out < 0 || err < 0)
        return result;
    const pid_t pid = fork();
    if (pid == 0) {
        if (dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            chdir(directory.c_str()) != 0)
            _exit(126);
        execve(args[0], args.data(), env.data());
        _exit(127);
    }
    close(in);
    close(out);
    close(err);
    if (pid < 0)
        return result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.status = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

} // namespace simtest
