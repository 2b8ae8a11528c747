// Starting the batch script through the command interpreter, as a child of ours.
#pragma once

#include "run/ProcessRef.h"

#include <optional>
#include <string>

// What the start of a script yields: the interpreter's id and a reference to it.
struct ProcessInformation {
    ProcessRef process;
    pid_t processId = 0;
};

// Runs "/bin/sh SCRIPT" in the current working directory with no terminal of its own and the
// caller's standard streams and environment, except that the working directory comes first
// on PATH, so that the simulator named on the line is found beside the script. Nothing when
// the interpreter cannot be started.
std::optional<ProcessInformation> StartScript(const std::string& script);
