// The thread that watches a simulator until it ends. Its function blocks on the process's
// pidfd rather than polling its status, so it uses no processor while it waits, and a cancel
// wakes it at once. Runs at below-normal priority.
#pragma once

#include "run/ProcessRef.h"

#include <atomic>
#include <cstdint>
#include <thread>

class MonitorThread {
public:
    using ThreadFunction = uint32_t (*)(void* parameter);

    MonitorThread() = default;
    ~MonitorThread() { Release(); }
    MonitorThread(const MonitorThread&) = delete;
    MonitorThread& operator=(const MonitorThread&) = delete;

    // Runs function(parameter) on a new thread that starts at once. False when the thread
    // cannot be created; the reference is then empty.
    bool Start(ThreadFunction function, void* parameter);

    // For the thread's function: waits until the process has ended (true) or the thread is
    // cancelled (false). An empty reference, or a query that fails, ends the wait at once.
    bool WaitForProcessEnd(const ProcessRef& process) const;

    bool empty() const { return !thread_.joinable(); }
    // The thread has not yet returned (an empty reference: not running).
    bool isRunning() const { return thread_.joinable() && !finished_.load(); }
    // What the function returned, once it has.
    uint32_t exitCode() const { return exitCode_.load(); }
    // Ends the thread: a wait in progress or to come returns false at once; then it is joined.
    void Cancel();
    // Cancels a thread that still runs, joins it and empties the reference.
    void Release();

private:
    std::thread thread_;
    int wakeFd_ = -1;
    std::atomic<bool> finished_{false};
    std::atomic<uint32_t> exitCode_{0};
};
