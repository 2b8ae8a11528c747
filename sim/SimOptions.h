// The command line of the simulators, SimpleScalar style: options first, then the program
// file and the program's own arguments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct SimOptions {
    std::string statisticsFile;       // -redir:sim; empty: standard error
    std::string programOutput;        // -redir:prog; empty: the simulator's own stdout and stderr
    uint64_t maxInstructions = 0;     // -max:inst; 0: no limit
    int memoryAddress = 0;            // -memaddr: key by instruction (0) or data address (1)
    uint64_t history = 1;             // -history: values remembered, at least 1
    int predict = 0;                  // -pred
    int associative = 1;              // -assoc: direct-mapped (0) or fully associative (1)
    uint64_t lvptEntries = 512;       // -lvpt
    bool help = false;                // -h
    std::vector<std::string> program; // the program file, then its arguments
};

struct ParsedOptions {
    bool ok = false;
    std::string error; // why the line was refused
    SimOptions options;
};

ParsedOptions ParseSimOptions(const std::vector<std::string>& words);

// What -h prints, and what follows an error.
std::string UsageText(const std::string& programName);

} // namespace sim
