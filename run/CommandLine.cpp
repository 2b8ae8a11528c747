#include "run/CommandLine.h"

namespace {

constexpr const char* kRedirections = " -redir:sim simout.res -redir:prog progout.res -memaddr ";

std::string MaxInstructionsPiece(const JobSettings& s) {
    return s.maxInstructions.empty() ? std::string() : " -max:inst " + s.maxInstructions;
}

// The prediction line always carries a history of 1; only value locality with a history of
// values passes the chosen one.
std::string HistoryValue(const JobSettings& s) {
    return (s.mode == SimulationMode::ValueLocality && s.useLocalityHistory) ? s.localityHistory
                                                                             : std::string("1");
}

} // namespace

std::string ComposeCommandLine(const JobSettings& s, const std::string& benchmarkTail) {
    const std::string memAddr = s.useDataAddress ? "1" : "0";
    const std::string tailPart = MaxInstructionsPiece(s) + benchmarkTail;

    if (s.mode == SimulationMode::ValuePrediction) {
        const std::string assoc = s.directMapped ? "0" : "1";
        return "sim-zemlo.exe" + std::string(kRedirections) + memAddr + " -pred 1 -assoc " + assoc +
               " -lvpt " + s.lvptSize + " -history " + HistoryValue(s) + tailPart;
    }
    const char* executable = s.localityOnInstructions ? "sim-narup.exe" : "sim-tolva.exe";
    return executable + std::string(kRedirections) + memAddr + " -history " + HistoryValue(s) +
           tailPart;
}
