#include "run/SimulatorDiscovery.h"

#include "run/ProcessSnapshot.h"

#include <sys/wait.h>

namespace {

std::optional<pid_t> FirstChildOf(pid_t parent) {
    for (const ProcessEntry& e : TakeProcessSnapshot())
        if (e.parentPid == parent)
            return e.pid;
    return std::nullopt;
}

} // namespace

DiscoveryResult DiscoverSimulator(const ProcessRef& interpreter, std::chrono::milliseconds bound) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + bound;
    for (;;) {
        // The interpreter's state is read before the snapshot: if it had ended before the
        // snapshot was taken and the snapshot shows no child, no child will ever come.
        const bool interpreterEnded = !interpreter.isRunning();
        if (const auto child = FirstChildOf(interpreter.pid()))
            return {DiscoveryResult::Outcome::Found, *child};
        if (interpreterEnded) {
            const int status = interpreter.reap(-1);
            const bool ranCleanly = status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
            return {ranCleanly ? DiscoveryResult::Outcome::EndedQuickly
                               : DiscoveryResult::Outcome::Failed,
                    0};
        }
        if (Clock::now() >= deadline) {
            interpreter.terminate();
            interpreter.reap(-1);
            return {DiscoveryResult::Outcome::Failed, 0};
        }
    }
}
