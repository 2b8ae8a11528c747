// Reaps the command interpreters of earlier runs as they end, so that none is left a zombie.
// The window never waits for an interpreter itself, and installs no SIGCHLD handler: each
// interpreter is reaped by its own pidfd, which leaves every other child of the process alone.
#pragma once

#include "run/ProcessRef.h"

#include <mutex>
#include <thread>
#include <vector>

class ChildReaper {
public:
    static ChildReaper& Instance();
    ~ChildReaper();

    // Takes the reference to a child of ours; it is reaped and released once it has ended.
    void Adopt(ProcessRef child);
    // How many adopted children have not ended yet.
    size_t pending();

private:
    ChildReaper();
    void Run();
    // Reaps what has ended, without waiting.
    void ReapEnded();
    // The reaping thread starts with the first child; a process that cannot create it just
    // then tries again with the next one, and meanwhile reaps at every adoption.
    void EnsureThread();

    std::mutex mutex_;
    std::vector<ProcessRef> children_;
    int wakeFd_ = -1;
    bool stopping_ = false;
    std::thread thread_;
};
