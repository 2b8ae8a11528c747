#include "run/MonitorThread.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

namespace {

void LowerOwnPriority() {
    const id_t tid = id_t(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, tid);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, tid, nice + 1);
}

} // namespace

bool MonitorThread::Start(ThreadFunction function, void* parameter) {
    Release();
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0)
        return false;
    finished_ = false;
    exitCode_ = 0;
    try {
        thread_ = std::thread([this, function, parameter] {
            LowerOwnPriority();
            exitCode_ = function(parameter);
            finished_ = true;
        });
    } catch (const std::system_error&) {
        ::close(wakeFd_);
        wakeFd_ = -1;
        return false;
    }
    return true;
}

bool MonitorThread::WaitForProcessEnd(const ProcessRef& process) const {
    pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {process.fd(), POLLIN, 0}};
    if (process.empty())
        return ::poll(fds, 1, 0) == 0; // nothing to wait for, unless already cancelled
    for (;;) {
        const int n = ::poll(fds, 2, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (fds[0].revents != 0)
            return false;
        return true; // the process ended, or the query failed: not running either way
    }
}

void MonitorThread::Cancel() {
    if (!thread_.joinable())
        return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    thread_.join();
}

void MonitorThread::Release() {
    Cancel();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    wakeFd_ = -1;
}
