// The one line that invokes a simulator with the job's options and the benchmark.
#pragma once

#include "job/JobSettings.h"

#include <string>

// No quoting and no escaping: the line goes to the command interpreter as it stands, so the
// tail's "<" redirects the simulator's input. Values that could break out of the line are
// refused earlier, by the validation.
std::string ComposeCommandLine(const JobSettings& settings, const std::string& benchmarkTail);
