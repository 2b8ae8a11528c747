#include "run/BatchScript.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool WriteBatchScript(const std::string& path, const std::string& line) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    bool ok = true;
    while (ok && done < line.size()) {
        const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n > 0)
            done += size_t(n);
        else
            ok = n < 0 && errno == EINTR;
    }
    // A full disk can show itself only at close on some file systems.
    return ::close(fd) == 0 && ok;
}

void DeleteBatchScript(const std::string& path) {
    ::unlink(path.c_str());
}
