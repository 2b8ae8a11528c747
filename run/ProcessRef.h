// A reference to a process: a pidfd, which unlike a bare pid can never come to name another
// process once this one is gone. Move-only; the descriptor is closed on release.
#pragma once

#include <sys/types.h>

class ProcessRef {
public:
    ProcessRef() = default;
    explicit ProcessRef(int pidfd, pid_t pid) : fd_(pidfd), pid_(pid) {}
    ~ProcessRef() { release(); }
    ProcessRef(ProcessRef&& other) noexcept;
    ProcessRef& operator=(ProcessRef&& other) noexcept;
    ProcessRef(const ProcessRef&) = delete;
    ProcessRef& operator=(const ProcessRef&) = delete;

    // An empty reference when the process does not exist (or can no longer be opened).
    static ProcessRef Open(pid_t pid);

    bool empty() const { return fd_ < 0; }
    int fd() const { return fd_; }
    pid_t pid() const { return pid_; }

    // Still running. A query that fails, an empty reference included, counts as not running.
    bool isRunning() const;
    // Kills the process. A process that is already gone counts as terminated.
    bool terminate() const;
    // For a child of ours only: waits up to timeoutMs (-1: without end) for it to end and
    // reaps it, so that no zombie is left. Returns its wait status, or -1 if it has not ended.
    int reap(int timeoutMs) const;
    void release();

private:
    int fd_ = -1;
    pid_t pid_ = 0;
};
