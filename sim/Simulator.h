// The program behind sim-tolva.exe, sim-narup.exe and sim-zemlo.exe: reads the command line,
// loads the program, runs it, writes the statistics.
#pragma once

#include "sim/SimulationModel.h"

#include <string>
#include <vector>

namespace sim {

// Exit statuses of the simulator itself; otherwise it exits with the program's status.
constexpr int kExitSimulationError = 1; // the program could not be loaded or went wrong
constexpr int kExitUsage = 2;           // a malformed command line

// words: the command line after the simulator's own name. Returns the process exit status.
int RunSimulator(const std::string& programName, const std::vector<std::string>& words,
                 const ModelFactory& makeModel);

} // namespace sim
