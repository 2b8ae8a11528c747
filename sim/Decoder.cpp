#include "sim/DecodedInstruction.h"

namespace sim {

namespace {

constexpr int64_t SignExtend(uint64_t value, int bits) {
    const int shift = 64 - bits;
    return static_cast<int64_t>(value << shift) >> shift;
}

constexpr uint32_t Bits(uint32_t word, int hi, int lo) {
    return (word >> lo) & ((1u << (hi - lo + 1)) - 1);
}

int64_t ImmediateOf(OperandFormat format, uint32_t w) {
    switch (format) {
    case OperandFormat::I:
        return SignExtend(Bits(w, 31, 20), 12);
    case OperandFormat::S:
        return SignExtend(Bits(w, 31, 25) << 5 | Bits(w, 11, 7), 12);
    case OperandFormat::B:
        return SignExtend(Bits(w, 31, 31) << 12 | Bits(w, 7, 7) << 11 | Bits(w, 30, 25) << 5 |
                              Bits(w, 11, 8) << 1,
                          13);
    case OperandFormat::U:
        return SignExtend(w & 0xFFFFF000u, 32);
    case OperandFormat::J:
        return SignExtend(Bits(w, 31, 31) << 20 | Bits(w, 19, 12) << 12 | Bits(w, 20, 20) << 11 |
                              Bits(w, 30, 21) << 1,
                          21);
    case OperandFormat::Shift:
        return Bits(w, 25, 20);
    case OperandFormat::Csr:
    case OperandFormat::CsrImm:
        return Bits(w, 31, 20);
    default:
        return 0;
    }
}

Op FindOp(uint32_t word) {
    for (int i = kFirstInstruction; i < kOpCount; ++i) {
        const InstructionInfo& info = InfoOf(static_cast<Op>(i));
        if ((word & info.mask) == info.match)
            return static_cast<Op>(i);
    }
    return Op::Illegal;
}

} // namespace

bool HasRoundingMode(Op op) {
    const InstructionInfo& info = InfoOf(op);
    const uint32_t opcode = info.match & 0x7F;
    const bool fused = opcode == 0x43 || opcode == 0x47 || opcode == 0x4B || opcode == 0x4F;
    return fused || (opcode == 0x53 && (info.mask & 0x7000) == 0);
}

bool EndsBlock(Op op) {
    switch (op) {
    case Op::ECALL:
    case Op::EBREAK:
    case Op::FENCE_I:
    case Op::CSRRW:
    case Op::CSRRS:
    case Op::CSRRC:
    case Op::CSRRWI:
    case Op::CSRRSI:
    case Op::CSRRCI:
    case Op::Illegal:
        return true;
    default:
        return InfoOf(op).cls == InstructionClass::Branch;
    }
}

namespace {
DecodedInstruction DecodeWord(uint32_t word) {
    DecodedInstruction d;
    d.length = 4;
    d.op = FindOp(word);
    if (d.op == Op::Illegal) {
        d.imm = static_cast<int32_t>(word);
        return d;
    }
    const InstructionInfo& info = InfoOf(d.op);
    d.rd = Bits(word, 11, 7);
    d.rs1 = Bits(word, 19, 15);
    d.rs2 = Bits(word, 24, 20);
    d.rs3 = Bits(word, 31, 27);
    d.rm = Bits(word, 14, 12);
    d.imm = static_cast<int32_t>(ImmediateOf(info.format, word));
    if (HasRoundingMode(d.op) && (d.rm == 5 || d.rm == 6)) {
        d = DecodedInstruction{};
        d.op = Op::Illegal;
        d.length = 4;
        d.imm = static_cast<int32_t>(word);
        return d;
    }
    if (info.destination == Destination::Integer && d.rd == 0)
        d.rd = kDiscardRegister;
    return d;
}
} // namespace

DecodedInstruction Decode(uint32_t word) {
    DecodedInstruction d = DecodeWord(word);
    d.handler = HandlerOf(d.op, false);
    return d;
}

namespace {
DecodedInstruction DecodeParcelsWithoutHandler(uint16_t low, uint16_t high) {
    if ((low & 3) == 3) {
        if ((low & 0x1C) == 0x1C) { // 48-bit and longer encodings: none is defined here
            DecodedInstruction d;
            d.op = Op::Illegal;
            d.length = 4;
            d.imm = low;
            return d;
        }
        return Decode(static_cast<uint32_t>(high) << 16 | low);
    }
    const uint32_t expanded = ExpandCompressed(low);
    DecodedInstruction d;
    d.op = Op::Illegal;
    if (expanded)
        d = Decode(expanded);
    d.length = 2;
    if (d.op == Op::Illegal)
        d.imm = low;
    return d;
}
} // namespace

DecodedInstruction DecodeParcels(uint16_t low, uint16_t high) {
    DecodedInstruction d = DecodeParcelsWithoutHandler(low, high);
    d.handler = HandlerOf(d.op, d.length == 2);
    return d;
}

} // namespace sim
