// The RVC expansion table of the RISC-V ISA manual (chapter "C" Standard Extension), RV64
// rows. Each compressed instruction is rewritten to the 32-bit instruction it abbreviates, so
// that one decoder and one set of semantics serve both.
#include "sim/DecodedInstruction.h"

namespace sim {

namespace {

constexpr uint32_t Bit(uint32_t v, int i) {
    return (v >> i) & 1;
}
constexpr uint32_t Bits(uint32_t v, int hi, int lo) {
    return (v >> lo) & ((1u << (hi - lo + 1)) - 1);
}
constexpr int32_t SignExtend(uint32_t value, int bits) {
    return static_cast<int32_t>(value << (32 - bits)) >> (32 - bits);
}

uint32_t EncodeR(uint32_t opcode, uint32_t rd, uint32_t f3, uint32_t rs1, uint32_t rs2,
                 uint32_t f7) {
    return opcode | rd << 7 | f3 << 12 | rs1 << 15 | rs2 << 20 | f7 << 25;
}
uint32_t EncodeI(uint32_t opcode, uint32_t rd, uint32_t f3, uint32_t rs1, int32_t imm) {
    return opcode | rd << 7 | f3 << 12 | rs1 << 15 | (static_cast<uint32_t>(imm) & 0xFFF) << 20;
}
uint32_t EncodeS(uint32_t opcode, uint32_t f3, uint32_t rs1, uint32_t rs2, int32_t imm) {
    const uint32_t u = static_cast<uint32_t>(imm);
    return opcode | (u & 0x1F) << 7 | f3 << 12 | rs1 << 15 | rs2 << 20 | ((u >> 5) & 0x7F) << 25;
}
uint32_t EncodeB(uint32_t f3, uint32_t rs1, uint32_t rs2, int32_t imm) {
    const uint32_t u = static_cast<uint32_t>(imm);
    return 0x63 | Bit(u, 11) << 7 | Bits(u, 4, 1) << 8 | f3 << 12 | rs1 << 15 | rs2 << 20 |
           Bits(u, 10, 5) << 25 | Bit(u, 12) << 31;
}
uint32_t EncodeJ(uint32_t rd, int32_t imm) {
    const uint32_t u = static_cast<uint32_t>(imm);
    return 0x6F | rd << 7 | Bits(u, 19, 12) << 12 | Bit(u, 11) << 20 | Bits(u, 10, 1) << 21 |
           Bit(u, 20) << 31;
}

// The 3-bit register fields of the compressed formats name x8..x15 (f8..f15).
constexpr uint32_t Prime(uint32_t field) {
    return field + 8;
}

uint32_t Quadrant0(uint32_t c) {
    const uint32_t rdp = Prime(Bits(c, 4, 2));
    const uint32_t rs1p = Prime(Bits(c, 9, 7));
    const uint32_t offsetW = Bits(c, 12, 10) << 3 | Bit(c, 6) << 2 | Bit(c, 5) << 6;
    const uint32_t offsetD = Bits(c, 12, 10) << 3 | Bits(c, 6, 5) << 6;
    switch (Bits(c, 15, 13)) {
    case 0: { // c.addi4spn
        const uint32_t imm =
            Bits(c, 12, 11) << 4 | Bits(c, 10, 7) << 6 | Bit(c, 6) << 2 | Bit(c, 5) << 3;
        return imm ? EncodeI(0x13, rdp, 0, 2, imm) : 0;
    }
    case 1:
        return EncodeI(0x07, rdp, 3, rs1p, offsetD); // c.fld
    case 2:
        return EncodeI(0x03, rdp, 2, rs1p, offsetW); // c.lw
    case 3:
        return EncodeI(0x03, rdp, 3, rs1p, offsetD); // c.ld
    case 5:
        return EncodeS(0x27, 3, rs1p, rdp, offsetD); // c.fsd
    case 6:
        return EncodeS(0x23, 2, rs1p, rdp, offsetW); // c.sw
    case 7:
        return EncodeS(0x23, 3, rs1p, rdp, offsetD); // c.sd
    default:
        return 0;
    }
}

uint32_t Arithmetic(uint32_t c) {
    const uint32_t rd = Prime(Bits(c, 9, 7));
    const uint32_t rs2 = Prime(Bits(c, 4, 2));
    const uint32_t shamt = Bit(c, 12) << 5 | Bits(c, 6, 2);
    switch (Bits(c, 11, 10)) {
    case 0:
        return EncodeI(0x13, rd, 5, rd, shamt); // c.srli
    case 1:
        return EncodeI(0x13, rd, 5, rd, shamt | 0x400); // c.srai
    case 2:
        return EncodeI(0x13, rd, 7, rd, SignExtend(shamt, 6)); // c.andi
    }
    static const uint32_t kFunct3[4] = {0, 4, 6, 7}; // sub, xor, or, and
    if (!Bit(c, 12))
        return EncodeR(0x33, rd, kFunct3[Bits(c, 6, 5)], rd, rs2, Bits(c, 6, 5) == 0 ? 0x20 : 0);
    switch (Bits(c, 6, 5)) {
    case 0:
        return EncodeR(0x3B, rd, 0, rd, rs2, 0x20); // c.subw
    case 1:
        return EncodeR(0x3B, rd, 0, rd, rs2, 0); // c.addw
    default:
        return 0;
    }
}

uint32_t Quadrant1(uint32_t c) {
    const uint32_t rd = Bits(c, 11, 7);
    const int32_t imm6 = SignExtend(Bit(c, 12) << 5 | Bits(c, 6, 2), 6);
    const uint32_t rs1p = Prime(Bits(c, 9, 7));
    const int32_t branchOffset =
        SignExtend(Bit(c, 12) << 8 | Bits(c, 11, 10) << 3 | Bits(c, 6, 5) << 6 |
                       Bits(c, 4, 3) << 1 | Bit(c, 2) << 5,
                   9);
    switch (Bits(c, 15, 13)) {
    case 0:
        return EncodeI(0x13, rd, 0, rd, imm6); // c.addi, c.nop
    case 1:
        return rd ? EncodeI(0x1B, rd, 0, rd, imm6) : 0; // c.addiw
    case 2:
        return EncodeI(0x13, rd, 0, 0, imm6); // c.li
    case 3:
        if (rd == 2) { // c.addi16sp
            const int32_t imm = SignExtend(Bit(c, 12) << 9 | Bit(c, 6) << 4 | Bit(c, 5) << 6 |
                                               Bits(c, 4, 3) << 7 | Bit(c, 2) << 5,
                                           10);
            return imm ? EncodeI(0x13, 2, 0, 2, imm) : 0;
        }
        if (imm6 == 0)
            return 0;
        return 0x37 | rd << 7 | (static_cast<uint32_t>(imm6) & 0xFFFFF) << 12; // c.lui
    case 4:
        return Arithmetic(c);
    case 5: { // c.j
        const int32_t offset =
            SignExtend(Bit(c, 12) << 11 | Bit(c, 11) << 4 | Bits(c, 10, 9) << 8 | Bit(c, 8) << 10 |
                           Bit(c, 7) << 6 | Bit(c, 6) << 7 | Bits(c, 5, 3) << 1 | Bit(c, 2) << 5,
                       12);
        return EncodeJ(0, offset);
    }
    case 6:
        return EncodeB(0, rs1p, 0, branchOffset); // c.beqz
    default:
        return EncodeB(1, rs1p, 0, branchOffset); // c.bnez
    }
}

uint32_t Quadrant2(uint32_t c) {
    const uint32_t rd = Bits(c, 11, 7);
    const uint32_t rs2 = Bits(c, 6, 2);
    const uint32_t loadW = Bit(c, 12) << 5 | Bits(c, 6, 4) << 2 | Bits(c, 3, 2) << 6;
    const uint32_t loadD = Bit(c, 12) << 5 | Bits(c, 6, 5) << 3 | Bits(c, 4, 2) << 6;
    const uint32_t storeW = Bits(c, 12, 9) << 2 | Bits(c, 8, 7) << 6;
    const uint32_t storeD = Bits(c, 12, 10) << 3 | Bits(c, 9, 7) << 6;
    switch (Bits(c, 15, 13)) {
    case 0:
        return EncodeI(0x13, rd, 1, rd, Bit(c, 12) << 5 | Bits(c, 6, 2)); // c.slli
    case 1:
        return EncodeI(0x07, rd, 3, 2, loadD); // c.fldsp
    case 2:
        return rd ? EncodeI(0x03, rd, 2, 2, loadW) : 0; // c.lwsp
    case 3:
        return rd ? EncodeI(0x03, rd, 3, 2, loadD) : 0; // c.ldsp
    case 4:
        if (!Bit(c, 12)) {
            if (rs2 == 0)
                return rd ? EncodeI(0x67, 0, 0, rd, 0) : 0; // c.jr
            return EncodeR(0x33, rd, 0, 0, rs2, 0);         // c.mv
        }
        if (rs2 == 0)
            return rd ? EncodeI(0x67, 1, 0, rd, 0) : 0x00100073; // c.jalr, c.ebreak
        return EncodeR(0x33, rd, 0, rd, rs2, 0);                 // c.add
    case 5:
        return EncodeS(0x27, 3, 2, rs2, storeD); // c.fsdsp
    case 6:
        return EncodeS(0x23, 2, 2, rs2, storeW); // c.swsp
    default:
        return EncodeS(0x23, 3, 2, rs2, storeD); // c.sdsp
    }
}

} // namespace

uint32_t ExpandCompressed(uint16_t parcel) {
    const uint32_t c = parcel;
    switch (c & 3) {
    case 0:
        return Quadrant0(c);
    case 1:
        return Quadrant1(c);
    case 2:
        return Quadrant2(c);
    default:
        return 0;
    }
}

} // namespace sim
