#include "run/ProcessRef.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

// Called through syscall(2): glibc's <sys/pidfd.h> of this release lacks C++ linkage.
int PidfdOpen(pid_t pid) { return int(::syscall(SYS_pidfd_open, pid, 0)); }
int PidfdSendSignal(int fd, int signal) {
    return int(::syscall(SYS_pidfd_send_signal, fd, signal, nullptr, 0));
}

} // namespace

ProcessRef::ProcessRef(ProcessRef&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), pid_(std::exchange(other.pid_, 0)) {}

ProcessRef& ProcessRef::operator=(ProcessRef&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        pid_ = std::exchange(other.pid_, 0);
    }
    return *this;
}

ProcessRef ProcessRef::Open(pid_t pid) {
    // pidfd_open sets close-on-exec, so later children never inherit the reference.
    const int fd = PidfdOpen(pid);
    return fd < 0 ? ProcessRef() : ProcessRef(fd, pid);
}

bool ProcessRef::isRunning() const {
    if (fd_ < 0)
        return false;
    pollfd p{fd_, POLLIN, 0};
    int n;
    do {
        n = ::poll(&p, 1, 0);
    } while (n < 0 && errno == EINTR);
    return n == 0; // readable (or an error) means it has ended
}

bool ProcessRef::terminate() const {
    if (fd_ < 0)
        return true;
    return PidfdSendSignal(fd_, SIGKILL) == 0 || errno == ESRCH;
}

int ProcessRef::reap(int timeoutMs) const {
    if (fd_ < 0)
        return -1;
    pollfd p{fd_, POLLIN, 0};
    int n;
    do {
        n = ::poll(&p, 1, timeoutMs);
    } while (n < 0 && errno == EINTR);
    if (n <= 0)
        return -1;
    siginfo_t info{};
    int r;
    do {
        r = ::waitid(idtype_t(P_PIDFD), id_t(fd_), &info, WEXITED);
    } while (r < 0 && errno == EINTR);
    if (r < 0)
        return -1;
    return info.si_code == CLD_EXITED ? W_EXITCODE(info.si_status, 0)
                                      : W_EXITCODE(0, info.si_status);
}

void ProcessRef::release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    pid_ = 0;
}
