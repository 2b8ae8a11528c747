// Runs guest code: fetches decoded instructions from the code cache and executes them with
// threaded dispatch (each instruction's handler jumps straight to the next one's).
#pragma once

#include "sim/CodeCache.h"
#include "sim/GuestMemory.h"
#include "sim/Hart.h"
#include "sim/RetireListener.h"
#include "sim/SystemCallHandler.h"

#include <cstdint>
#include <string>

namespace sim {

struct RunResult {
    enum class Stop { Exited, InstructionLimit, Fault } stop = Stop::Exited;
    int exitStatus = 0;
    std::string message; // Fault: what went wrong, with the pc
    uint64_t instructions = 0;
    uint64_t loads = 0;
    uint64_t stores = 0;
};

class Interpreter {
public:
    Interpreter(Hart& hart, GuestMemory& memory, CodeCache& cache, SystemCallHandler& system);

    // The listener sees every retired instruction; null (the default) runs uninstrumented.
    void SetListener(RetireListener* listener) { listener_ = listener; }

    // Runs from hart.pc until the program exits, faults or has run maxInstructions (0: no
    // limit).
    RunResult Run(uint64_t maxInstructions);

private:
    // Observed: a listener is told of each instruction. Blocks: instructions are counted a
    // basic block at a time (handover set when the budget cannot hold the next block).
    template <bool Observed, bool Blocks> RunResult Loop(uint64_t limit, bool& handover);
    enum class CsrStatus { Ok, Illegal };
    CsrStatus AccessCsr(const DecodedInstruction& d);
    SyscallOutcome::Kind CallSystem(RunResult& result);
    void Notify(const DecodedInstruction& d, uint64_t pc, uint64_t address);
    std::string Describe(const char* what, uint64_t pc, uint64_t address) const;
    std::string DescribeIllegal(uint64_t pc) const;

    Hart& hart_;
    GuestMemory& memory_;
    CodeCache& cache_;
    SystemCallHandler& system_;
    RetireListener* listener_ = nullptr;
    uint64_t retiredBefore_ = 0; // instructions of this run retired by an earlier loop
};

} // namespace sim
