// The twelve known benchmark programs and the text that follows the simulator's options for
// each: the program named again, its arguments and its input redirection.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct BenchmarkEntry {
    std::string_view name;
    std::string_view tail;
};

extern const std::array<BenchmarkEntry, 12> BenchmarkCatalogue;

// Looks the benchmark's file name up (whole name, A-Z case ignored, first entry wins) and
// makes that entry's tail the current one. Without a match the tail stays as it was, so an
// unknown program runs with the tail of the last known one.
void MatchBenchmark(std::string_view benchmark, std::string& benchmarkTail);
