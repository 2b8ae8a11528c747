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

// True when the process ended, false when woken by a cancel.
bool WaitForEndOrWake(int processFd, int wakeFd) {
    pollfd fds[2] = {{processFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    for (;;) {
        const int n = ::poll(fds, 2, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return true; // a failed query counts as not running
        if (fds[1].revents != 0)
            return false;
        return true;
    }
}

} // namespace

bool MonitorThread::Start(int processFd, std::function<void()> onEnded) {
    Release();
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd_ < 0)
        return false;
    finished_ = false;
    try {
        thread_ = std::thread(
            [this, processFd, onEnded = std::move(onEnded)] { Run(processFd, onEnded); });
    } catch (const std::system_error&) {
        ::close(wakeFd_);
        wakeFd_ = -1;
        return false;
    }
    return true;
}

void MonitorThread::Run(int processFd, const std::function<void()>& onEnded) {
    LowerOwnPriority();
    const bool ended = processFd < 0 || WaitForEndOrWake(processFd, wakeFd_);
    if (ended && onEnded)
        onEnded();
    finished_ = true;
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
