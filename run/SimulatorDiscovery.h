// Finding the simulator that the command interpreter started for the script's line: the
// first process in the system's list whose parent is the interpreter.
#pragma once

#include "run/ProcessRef.h"

#include <chrono>

struct DiscoveryResult {
    enum class Outcome {
        Found,        // the simulator's pid is in simulatorPid
        EndedQuickly, // the interpreter ended with status 0 before its child was seen: the
                      // simulator ran and ended too quickly to be watched
        Failed,       // the interpreter ended otherwise (no simulator, no input file), or no
                      // child appeared in time and the interpreter was killed
    };
    Outcome outcome = Outcome::Failed;
    pid_t simulatorPid = 0;
};

// Searches without pause until a child is seen, while watching the interpreter; reaps the
// interpreter when it has ended or been killed. The bound keeps a script that never starts
// anything (blocked reading a FIFO, say) from holding the window for ever.
DiscoveryResult DiscoverSimulator(const ProcessRef& interpreter,
                                  std::chrono::milliseconds bound = std::chrono::seconds(5));
