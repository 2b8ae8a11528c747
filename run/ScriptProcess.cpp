#include "run/ScriptProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return ".";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// The caller's environment with PATH led by the working directory.
std::vector<std::string> ScriptEnvironment() {
    std::vector<std::string> env;
    std::string path = "PATH=" + CurrentDirectory();
    bool hadPath = false;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::strncmp(*e, "PATH=", 5) == 0) {
            if (!hadPath && (*e)[5] != '\0')
                path += std::string(":") + (*e + 5);
            hadPath = true;
            continue;
        }
        env.push_back(*e);
    }
    if (!hadPath)
        path += ":/usr/local/bin:/usr/bin:/bin";
    env.push_back(path);
    return env;
}

} // namespace

std::optional<ProcessInformation> StartScript(const std::string& script) {
    std::vector<std::string> env = ScriptEnvironment();
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string sh = "/bin/sh";
    std::string arg = script;
    char* argv[] = {sh.data(), arg.data(), nullptr};

    // No window and no terminal of its own; it stays in the window's process group, so that
    // a Ctrl+C that ends a window started from a terminal ends the run with it.
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, sh.c_str(), nullptr, nullptr, argv, envp.data());
    if (rc != 0)
        return std::nullopt;

    // Our own unreaped child cannot be replaced by another process, so the pid is safe here.
    ProcessInformation info{ProcessRef::Open(pid), pid};
    if (info.process.empty()) {
        ::kill(pid, SIGKILL);
        int status;
        ::waitpid(pid, &status, 0);
        return std::nullopt;
    }
    return info;
}
