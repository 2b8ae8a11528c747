// The thread that watches a simulator until it ends. It blocks on the process's pidfd rather
// than polling its status, so it uses no processor while it waits, and a cancel wakes it at
// once. Runs at below-normal priority.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

class MonitorThread {
public:
    MonitorThread() = default;
    ~MonitorThread() { Release(); }
    MonitorThread(const MonitorThread&) = delete;
    MonitorThread& operator=(const MonitorThread&) = delete;

    // Watches the process behind processFd (a pidfd; -1 for none: the wait ends at once) and
    // then calls onEnded on the monitor thread, unless cancelled first. False when the thread
    // cannot be created; the reference is then empty.
    bool Start(int processFd, std::function<void()> onEnded);

    bool empty() const { return !thread_.joinable(); }
    // The thread has not yet finished (an empty reference: not running).
    bool isRunning() const { return thread_.joinable() && !finished_.load(); }
    // Ends the thread: it wakes, skips onEnded if it has not begun it, and is joined.
    void Cancel();
    // Joins a finished thread (cancelling one that still runs) and empties the reference.
    void Release();

private:
    void Run(int processFd, const std::function<void()>& onEnded);

    std::thread thread_;
    int wakeFd_ = -1;
    std::atomic<bool> finished_{false};
};
