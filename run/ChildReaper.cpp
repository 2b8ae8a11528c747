#include "run/ChildReaper.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

ChildReaper& ChildReaper::Instance() {
    static ChildReaper reaper;
    return reaper;
}

ChildReaper::ChildReaper() : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void ChildReaper::EnsureThread() {
    if (thread_.joinable() || wakeFd_ < 0)
        return;
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
    }
}

ChildReaper::~ChildReaper() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    if (thread_.joinable())
        thread_.join();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void ChildReaper::Adopt(ProcessRef child) {
    if (child.empty())
        return;
    {
        std::lock_guard lock(mutex_);
        children_.push_back(std::move(child));
        ReapEnded();
    }
    EnsureThread();
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void ChildReaper::ReapEnded() {
    for (auto it = children_.begin(); it != children_.end();) {
        if (!it->isRunning()) {
            it->reap(0);
            it = children_.erase(it);
        } else {
            ++it;
        }
    }
}

size_t ChildReaper::pending() {
    std::lock_guard lock(mutex_);
    return children_.size();
}

void ChildReaper::Run() {
    for (;;) {
        std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}};
        {
            std::lock_guard lock(mutex_);
            if (stopping_)
                return;
            for (const ProcessRef& c : children_)
                fds.push_back({c.fd(), POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents != 0) {
            uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        std::lock_guard lock(mutex_);
        ReapEnded();
    }
}
