#include "run/ProcessSnapshot.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

bool IsAllDigits(const char* s) {
    if (*s == '\0')
        return false;
    for (; *s != '\0'; ++s)
        if (*s < '0' || *s > '9')
            return false;
    return true;
}

// A process may end between readdir and open; that is no entry, not an error.
std::optional<pid_t> ReadParent(int procFd, const char* pid) {
    const std::string path = std::string(pid) + "/stat";
    const int fd = ::openat(procFd, path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    char buffer[1024];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (n <= 0)
        return std::nullopt;
    return ParentFromStat(std::string_view(buffer, size_t(n)));
}

} // namespace

std::optional<pid_t> ParentFromStat(std::string_view stat) {
    const size_t close = stat.rfind(')');
    if (close == std::string_view::npos)
        return std::nullopt;
    // ") S 1234 ..." : state, then the parent id.
    std::string rest(stat.substr(close + 1));
    const char* p = rest.c_str();
    while (*p == ' ')
        ++p;
    if (*p == '\0')
        return std::nullopt;
    ++p; // the state letter
    char* end = nullptr;
    const long parent = std::strtol(p, &end, 10);
    if (end == p || parent < 0)
        return std::nullopt;
    return pid_t(parent);
}

std::vector<ProcessEntry> TakeProcessSnapshot() {
    std::vector<ProcessEntry> entries;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr)
        return entries;
    const int procFd = ::dirfd(proc);
    while (const dirent* e = ::readdir(proc)) {
        if (!IsAllDigits(e->d_name))
            continue;
        if (const auto parent = ReadParent(procFd, e->d_name))
            entries.push_back({pid_t(std::atol(e->d_name)), *parent});
    }
    ::closedir(proc);
    return entries;
}
