// The instrumentation seam: a model that wants to see the program's execution implements
// RetireListener and is handed every retired instruction. With no listener installed the
// interpreter runs a copy of its loop that has no instrumentation in it at all.
#pragma once

#include "sim/InstructionSet.h"

#include <cstdint>

namespace sim {

struct RetiredInstruction {
    uint64_t pc = 0;
    Op op = Op::Illegal;
    InstructionClass cls = InstructionClass::Other;
    // The register written: none, x1..x31 (writes to x0 count as none), or f0..f31.
    Destination destination = Destination::None;
    uint8_t rd = 0;
    uint64_t value = 0; // the value written to rd (raw bits for FP registers)
    // Loads, stores and atomics: the data address and the value loaded or stored.
    uint64_t address = 0;
    uint64_t memoryValue = 0;
};

class RetireListener {
public:
    virtual ~RetireListener() = default;
    virtual void OnRetire(const RetiredInstruction& instruction) = 0;
};

} // namespace sim
