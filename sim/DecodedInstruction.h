// One instruction as the interpreter executes it: decoded once, kept in the code cache.
#pragma once

#include "sim/InstructionSet.h"

#include <cstdint>

namespace sim {

// Integer writes to x0 are sent to this extra register, so that no instruction has to test
// for x0 when it writes; x0 itself stays zero.
constexpr uint8_t kDiscardRegister = 32;

struct DecodedInstruction {
    int32_t imm = 0; // immediate; the CSR number for CSR instructions; the word if Illegal
    // Instructions from this one to the end of its basic block (this one included): the
    // interpreter counts a block's instructions once, as it enters the block.
    uint16_t run = 0;
    uint16_t handler = 0; // 2 * op, plus 1 for a compressed instruction: the dispatch index
    Op op = Op::NotDecoded;
    uint8_t rd = 0;
    uint8_t rs1 = 0;
    uint8_t rs2 = 0;
    uint8_t rs3 = 0;
    uint8_t rm = 0;     // funct3: the rounding mode of FP instructions
    uint8_t length = 0; // 2 for a compressed instruction, else 4
};
static_assert(sizeof(DecodedInstruction) == 16);

inline uint16_t HandlerOf(Op op, bool compressed) {
    return static_cast<uint16_t>(2 * static_cast<int>(op) + (compressed ? 1 : 0));
}

// Decodes a 32-bit instruction word (a compressed one already expanded). Unknown words, and
// FP instructions with a reserved static rounding mode (5 or 6), decode as Op::Illegal.
DecodedInstruction Decode(uint32_t word);

// Decodes the instruction whose first 16-bit parcel is low (and whose second is high, for a
// 32-bit instruction), filling length.
DecodedInstruction DecodeParcels(uint16_t low, uint16_t high);

// The 32-bit instruction that a compressed one stands for, as the RISC-V ISA manual expands
// it; 0 (not an instruction) for reserved and illegal encodings.
uint32_t ExpandCompressed(uint16_t parcel);

// True for the FP instructions whose funct3 is a rounding mode.
bool HasRoundingMode(Op op);

// True for the instructions after which execution does not simply go on with the next one:
// jumps and branches, and those that need an exact instruction count or may change the code
// (system calls, CSR accesses, fence.i, breakpoints, illegal words).
bool EndsBlock(Op op);

} // namespace sim
