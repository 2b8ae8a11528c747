// The RV64IMAFDC + Zicsr instruction set as one table: every instruction's encoding (match and
// mask over the 32-bit form), the layout of its operands, what it is for the statistics and the
// models, and which register file its result goes to. The decoder, the interpreter's dispatch
// table and the tests all read this one list, so an instruction is added in one place.
#pragma once

#include <cstdint>

namespace sim {

enum class OperandFormat : uint8_t { None, R, I, S, B, U, J, Shift, Csr, CsrImm, R4 };

// What a retired instruction is, as the statistics and the value-locality models see it.
enum class InstructionClass : uint8_t { Load, Store, IntegerAlu, FloatAlu, Branch, Other };

// Which register file an instruction writes.
enum class Destination : uint8_t { None, Integer, Float };

namespace enc {
constexpr uint32_t op(uint32_t opcode, uint32_t funct3 = 0, uint32_t funct7 = 0) {
    return opcode | funct3 << 12 | funct7 << 25;
}
constexpr uint32_t rs2(uint32_t value) {
    return value << 20;
}
constexpr uint32_t kOpcode = 0x0000007F;
constexpr uint32_t kFunct3 = 0x0000707F;
constexpr uint32_t kFunct7 = 0xFE00707F;
constexpr uint32_t kFunct7AnyRm = 0xFE00007F;
constexpr uint32_t kFunct7Rs2AnyRm = 0xFFF0007F;
constexpr uint32_t kFunct7Rs2 = 0xFFF0707F;
constexpr uint32_t kShift64 = 0xFC00707F;
constexpr uint32_t kAmo = 0xF800707F;
constexpr uint32_t kLoadReserved = 0xF9F0707F;
constexpr uint32_t kFused = 0x0600007F;
constexpr uint32_t kExact = 0xFFFFFFFF;
constexpr uint32_t amo(uint32_t funct3, uint32_t funct5) {
    return 0x2F | funct3 << 12 | funct5 << 27;
}
} // namespace enc

// X(name, match, mask, format, class, destination). Rows must not overlap: a test checks that
// no 32-bit word matches two of them.
#define ZEMLO_RV_INSTRUCTIONS(X)                                                                   \
    X(LUI, enc::op(0x37), enc::kOpcode, U, IntegerAlu, Integer)                                    \
    X(AUIPC, enc::op(0x17), enc::kOpcode, U, IntegerAlu, Integer)                                  \
    X(JAL, enc::op(0x6F), enc::kOpcode, J, Branch, Integer)                                        \
    X(JALR, enc::op(0x67, 0), enc::kFunct3, I, Branch, Integer)                                    \
    X(BEQ, enc::op(0x63, 0), enc::kFunct3, B, Branch, None)                                        \
    X(BNE, enc::op(0x63, 1), enc::kFunct3, B, Branch, None)                                        \
    X(BLT, enc::op(0x63, 4), enc::kFunct3, B, Branch, None)                                        \
    X(BGE, enc::op(0x63, 5), enc::kFunct3, B, Branch, None)                                        \
    X(BLTU, enc::op(0x63, 6), enc::kFunct3, B, Branch, None)                                       \
    X(BGEU, enc::op(0x63, 7), enc::kFunct3, B, Branch, None)                                       \
    X(LB, enc::op(0x03, 0), enc::kFunct3, I, Load, Integer)                                        \
    X(LH, enc::op(0x03, 1), enc::kFunct3, I, Load, Integer)                                        \
    X(LW, enc::op(0x03, 2), enc::kFunct3, I, Load, Integer)                                        \
    X(LD, enc::op(0x03, 3), enc::kFunct3, I, Load, Integer)                                        \
    X(LBU, enc::op(0x03, 4), enc::kFunct3, I, Load, Integer)                                       \
    X(LHU, enc::op(0x03, 5), enc::kFunct3, I, Load, Integer)                                       \
    X(LWU, enc::op(0x03, 6), enc::kFunct3, I, Load, Integer)                                       \
    X(SB, enc::op(0x23, 0), enc::kFunct3, S, Store, None)                                          \
    X(SH, enc::op(0x23, 1), enc::kFunct3, S, Store, None)                                          \
    X(SW, enc::op(0x23, 2), enc::kFunct3, S, Store, None)                                          \
    X(SD, enc::op(0x23, 3), enc::kFunct3, S, Store, None)                                          \
    X(ADDI, enc::op(0x13, 0), enc::kFunct3, I, IntegerAlu, Integer)                                \
    X(SLTI, enc::op(0x13, 2), enc::kFunct3, I, IntegerAlu, Integer)                                \
    X(SLTIU, enc::op(0x13, 3), enc::kFunct3, I, IntegerAlu, Integer)                               \
    X(XORI, enc::op(0x13, 4), enc::kFunct3, I, IntegerAlu, Integer)                                \
    X(ORI, enc::op(0x13, 6), enc::kFunct3, I, IntegerAlu, Integer)                                 \
    X(ANDI, enc::op(0x13, 7), enc::kFunct3, I, IntegerAlu, Integer)                                \
    X(SLLI, enc::op(0x13, 1), enc::kShift64, Shift, IntegerAlu, Integer)                           \
    X(SRLI, enc::op(0x13, 5), enc::kShift64, Shift, IntegerAlu, Integer)                           \
    X(SRAI, enc::op(0x13, 5, 0x20), enc::kShift64, Shift, IntegerAlu, Integer)                     \
    X(ADD, enc::op(0x33, 0, 0), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(SUB, enc::op(0x33, 0, 0x20), enc::kFunct7, R, IntegerAlu, Integer)                           \
    X(SLL, enc::op(0x33, 1, 0), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(SLT, enc::op(0x33, 2, 0), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(SLTU, enc::op(0x33, 3, 0), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(XOR, enc::op(0x33, 4, 0), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(SRL, enc::op(0x33, 5, 0), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(SRA, enc::op(0x33, 5, 0x20), enc::kFunct7, R, IntegerAlu, Integer)                           \
    X(OR, enc::op(0x33, 6, 0), enc::kFunct7, R, IntegerAlu, Integer)                               \
    X(AND, enc::op(0x33, 7, 0), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(ADDIW, enc::op(0x1B, 0), enc::kFunct3, I, IntegerAlu, Integer)                               \
    X(SLLIW, enc::op(0x1B, 1, 0), enc::kFunct7, Shift, IntegerAlu, Integer)                        \
    X(SRLIW, enc::op(0x1B, 5, 0), enc::kFunct7, Shift, IntegerAlu, Integer)                        \
    X(SRAIW, enc::op(0x1B, 5, 0x20), enc::kFunct7, Shift, IntegerAlu, Integer)                     \
    X(ADDW, enc::op(0x3B, 0, 0), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(SUBW, enc::op(0x3B, 0, 0x20), enc::kFunct7, R, IntegerAlu, Integer)                          \
    X(SLLW, enc::op(0x3B, 1, 0), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(SRLW, enc::op(0x3B, 5, 0), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(SRAW, enc::op(0x3B, 5, 0x20), enc::kFunct7, R, IntegerAlu, Integer)                          \
    X(FENCE, enc::op(0x0F, 0), enc::kFunct3, None, Other, None)                                    \
    X(FENCE_I, enc::op(0x0F, 1), enc::kFunct3, None, Other, None)                                  \
    X(ECALL, 0x00000073, enc::kExact, None, Other, None)                                           \
    X(EBREAK, 0x00100073, enc::kExact, None, Other, None)                                          \
    X(CSRRW, enc::op(0x73, 1), enc::kFunct3, Csr, Other, Integer)                                  \
    X(CSRRS, enc::op(0x73, 2), enc::kFunct3, Csr, Other, Integer)                                  \
    X(CSRRC, enc::op(0x73, 3), enc::kFunct3, Csr, Other, Integer)                                  \
    X(CSRRWI, enc::op(0x73, 5), enc::kFunct3, CsrImm, Other, Integer)                              \
    X(CSRRSI, enc::op(0x73, 6), enc::kFunct3, CsrImm, Other, Integer)                              \
    X(CSRRCI, enc::op(0x73, 7), enc::kFunct3, CsrImm, Other, Integer)                              \
    X(MUL, enc::op(0x33, 0, 1), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(MULH, enc::op(0x33, 1, 1), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(MULHSU, enc::op(0x33, 2, 1), enc::kFunct7, R, IntegerAlu, Integer)                           \
    X(MULHU, enc::op(0x33, 3, 1), enc::kFunct7, R, IntegerAlu, Integer)                            \
    X(DIV, enc::op(0x33, 4, 1), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(DIVU, enc::op(0x33, 5, 1), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(REM, enc::op(0x33, 6, 1), enc::kFunct7, R, IntegerAlu, Integer)                              \
    X(REMU, enc::op(0x33, 7, 1), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(MULW, enc::op(0x3B, 0, 1), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(DIVW, enc::op(0x3B, 4, 1), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(DIVUW, enc::op(0x3B, 5, 1), enc::kFunct7, R, IntegerAlu, Integer)                            \
    X(REMW, enc::op(0x3B, 6, 1), enc::kFunct7, R, IntegerAlu, Integer)                             \
    X(REMUW, enc::op(0x3B, 7, 1), enc::kFunct7, R, IntegerAlu, Integer)                            \
    X(LR_W, enc::amo(2, 0x02), enc::kLoadReserved, R, Load, Integer)                               \
    X(SC_W, enc::amo(2, 0x03), enc::kAmo, R, Store, Integer)                                       \
    X(AMOSWAP_W, enc::amo(2, 0x01), enc::kAmo, R, Load, Integer)                                   \
    X(AMOADD_W, enc::amo(2, 0x00), enc::kAmo, R, Load, Integer)                                    \
    X(AMOXOR_W, enc::amo(2, 0x04), enc::kAmo, R, Load, Integer)                                    \
    X(AMOAND_W, enc::amo(2, 0x0C), enc::kAmo, R, Load, Integer)                                    \
    X(AMOOR_W, enc::amo(2, 0x08), enc::kAmo, R, Load, Integer)                                     \
    X(AMOMIN_W, enc::amo(2, 0x10), enc::kAmo, R, Load, Integer)                                    \
    X(AMOMAX_W, enc::amo(2, 0x14), enc::kAmo, R, Load, Integer)                                    \
    X(AMOMINU_W, enc::amo(2, 0x18), enc::kAmo, R, Load, Integer)                                   \
    X(AMOMAXU_W, enc::amo(2, 0x1C), enc::kAmo, R, Load, Integer)                                   \
    X(LR_D, enc::amo(3, 0x02), enc::kLoadReserved, R, Load, Integer)                               \
    X(SC_D, enc::amo(3, 0x03), enc::kAmo, R, Store, Integer)                                       \
    X(AMOSWAP_D, enc::amo(3, 0x01), enc::kAmo, R, Load, Integer)                                   \
    X(AMOADD_D, enc::amo(3, 0x00), enc::kAmo, R, Load, Integer)                                    \
    X(AMOXOR_D, enc::amo(3, 0x04), enc::kAmo, R, Load, Integer)                                    \
    X(AMOAND_D, enc::amo(3, 0x0C), enc::kAmo, R, Load, Integer)                                    \
    X(AMOOR_D, enc::amo(3, 0x08), enc::kAmo, R, Load, Integer)                                     \
    X(AMOMIN_D, enc::amo(3, 0x10), enc::kAmo, R, Load, Integer)                                    \
    X(AMOMAX_D, enc::amo(3, 0x14), enc::kAmo, R, Load, Integer)                                    \
    X(AMOMINU_D, enc::amo(3, 0x18), enc::kAmo, R, Load, Integer)                                   \
    X(AMOMAXU_D, enc::amo(3, 0x1C), enc::kAmo, R, Load, Integer)                                   \
    X(FLW, enc::op(0x07, 2), enc::kFunct3, I, Load, Float)                                         \
    X(FLD, enc::op(0x07, 3), enc::kFunct3, I, Load, Float)                                         \
    X(FSW, enc::op(0x27, 2), enc::kFunct3, S, Store, None)                                         \
    X(FSD, enc::op(0x27, 3), enc::kFunct3, S, Store, None)                                         \
    X(FMADD_S, enc::op(0x43, 0, 0), enc::kFused, R4, FloatAlu, Float)                              \
    X(FMSUB_S, enc::op(0x47, 0, 0), enc::kFused, R4, FloatAlu, Float)                              \
    X(FNMSUB_S, enc::op(0x4B, 0, 0), enc::kFused, R4, FloatAlu, Float)                             \
    X(FNMADD_S, enc::op(0x4F, 0, 0), enc::kFused, R4, FloatAlu, Float)                             \
    X(FMADD_D, enc::op(0x43, 0, 1), enc::kFused, R4, FloatAlu, Float)                              \
    X(FMSUB_D, enc::op(0x47, 0, 1), enc::kFused, R4, FloatAlu, Float)                              \
    X(FNMSUB_D, enc::op(0x4B, 0, 1), enc::kFused, R4, FloatAlu, Float)                             \
    X(FNMADD_D, enc::op(0x4F, 0, 1), enc::kFused, R4, FloatAlu, Float)                             \
    X(FADD_S, enc::op(0x53, 0, 0x00), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FSUB_S, enc::op(0x53, 0, 0x04), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FMUL_S, enc::op(0x53, 0, 0x08), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FDIV_S, enc::op(0x53, 0, 0x0C), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FSQRT_S, enc::op(0x53, 0, 0x2C), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)                   \
    X(FADD_D, enc::op(0x53, 0, 0x01), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FSUB_D, enc::op(0x53, 0, 0x05), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FMUL_D, enc::op(0x53, 0, 0x09), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FDIV_D, enc::op(0x53, 0, 0x0D), enc::kFunct7AnyRm, R, FloatAlu, Float)                       \
    X(FSQRT_D, enc::op(0x53, 0, 0x2D), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)                   \
    X(FSGNJ_S, enc::op(0x53, 0, 0x10), enc::kFunct7, R, FloatAlu, Float)                           \
    X(FSGNJN_S, enc::op(0x53, 1, 0x10), enc::kFunct7, R, FloatAlu, Float)                          \
    X(FSGNJX_S, enc::op(0x53, 2, 0x10), enc::kFunct7, R, FloatAlu, Float)                          \
    X(FSGNJ_D, enc::op(0x53, 0, 0x11), enc::kFunct7, R, FloatAlu, Float)                           \
    X(FSGNJN_D, enc::op(0x53, 1, 0x11), enc::kFunct7, R, FloatAlu, Float)                          \
    X(FSGNJX_D, enc::op(0x53, 2, 0x11), enc::kFunct7, R, FloatAlu, Float)                          \
    X(FMIN_S, enc::op(0x53, 0, 0x14), enc::kFunct7, R, FloatAlu, Float)                            \
    X(FMAX_S, enc::op(0x53, 1, 0x14), enc::kFunct7, R, FloatAlu, Float)                            \
    X(FMIN_D, enc::op(0x53, 0, 0x15), enc::kFunct7, R, FloatAlu, Float)                            \
    X(FMAX_D, enc::op(0x53, 1, 0x15), enc::kFunct7, R, FloatAlu, Float)                            \
    X(FCVT_S_D, enc::op(0x53, 0, 0x20) | enc::rs2(1), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)    \
    X(FCVT_D_S, enc::op(0x53, 0, 0x21) | enc::rs2(0), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)    \
    X(FEQ_S, enc::op(0x53, 2, 0x50), enc::kFunct7, R, FloatAlu, Integer)                           \
    X(FLT_S, enc::op(0x53, 1, 0x50), enc::kFunct7, R, FloatAlu, Integer)                           \
    X(FLE_S, enc::op(0x53, 0, 0x50), enc::kFunct7, R, FloatAlu, Integer)                           \
    X(FEQ_D, enc::op(0x53, 2, 0x51), enc::kFunct7, R, FloatAlu, Integer)                           \
    X(FLT_D, enc::op(0x53, 1, 0x51), enc::kFunct7, R, FloatAlu, Integer)                           \
    X(FLE_D, enc::op(0x53, 0, 0x51), enc::kFunct7, R, FloatAlu, Integer)                           \
    X(FCVT_W_S, enc::op(0x53, 0, 0x60) | enc::rs2(0), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer)  \
    X(FCVT_WU_S, enc::op(0x53, 0, 0x60) | enc::rs2(1), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer) \
    X(FCVT_L_S, enc::op(0x53, 0, 0x60) | enc::rs2(2), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer)  \
    X(FCVT_LU_S, enc::op(0x53, 0, 0x60) | enc::rs2(3), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer) \
    X(FCVT_W_D, enc::op(0x53, 0, 0x61) | enc::rs2(0), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer)  \
    X(FCVT_WU_D, enc::op(0x53, 0, 0x61) | enc::rs2(1), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer) \
    X(FCVT_L_D, enc::op(0x53, 0, 0x61) | enc::rs2(2), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer)  \
    X(FCVT_LU_D, enc::op(0x53, 0, 0x61) | enc::rs2(3), enc::kFunct7Rs2AnyRm, R, FloatAlu, Integer) \
    X(FCVT_S_W, enc::op(0x53, 0, 0x68) | enc::rs2(0), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)    \
    X(FCVT_S_WU, enc::op(0x53, 0, 0x68) | enc::rs2(1), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)   \
    X(FCVT_S_L, enc::op(0x53, 0, 0x68) | enc::rs2(2), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)    \
    X(FCVT_S_LU, enc::op(0x53, 0, 0x68) | enc::rs2(3), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)   \
    X(FCVT_D_W, enc::op(0x53, 0, 0x69) | enc::rs2(0), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)    \
    X(FCVT_D_WU, enc::op(0x53, 0, 0x69) | enc::rs2(1), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)   \
    X(FCVT_D_L, enc::op(0x53, 0, 0x69) | enc::rs2(2), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)    \
    X(FCVT_D_LU, enc::op(0x53, 0, 0x69) | enc::rs2(3), enc::kFunct7Rs2AnyRm, R, FloatAlu, Float)   \
    X(FMV_X_W, enc::op(0x53, 0, 0x70), enc::kFunct7Rs2, R, Other, Integer)                         \
    X(FCLASS_S, enc::op(0x53, 1, 0x70), enc::kFunct7Rs2, R, FloatAlu, Integer)                     \
    X(FMV_X_D, enc::op(0x53, 0, 0x71), enc::kFunct7Rs2, R, Other, Integer)                         \
    X(FCLASS_D, enc::op(0x53, 1, 0x71), enc::kFunct7Rs2, R, FloatAlu, Integer)                     \
    X(FMV_W_X, enc::op(0x53, 0, 0x78), enc::kFunct7Rs2, R, Other, Float)                           \
    X(FMV_D_X, enc::op(0x53, 0, 0x79), enc::kFunct7Rs2, R, Other, Float)

// The operations of the interpreter: three of its own, then one per table row.
enum class Op : uint8_t {
    NotDecoded, // a cache slot not decoded yet
    PageEnd,    // the slots past a page's end: fetch continues on the next page
    Illegal,    // a word that is no instruction of the set
#define ZEMLO_RV_ENUM(name, match, mask, format, cls, dest) name,
    ZEMLO_RV_INSTRUCTIONS(ZEMLO_RV_ENUM)
#undef ZEMLO_RV_ENUM
        Count
};

struct InstructionInfo {
    const char* name;
    uint32_t match;
    uint32_t mask;
    OperandFormat format;
    InstructionClass cls;
    Destination destination;
};

// The table row of every Op, indexed by the Op's value (the three internal ops included).
const InstructionInfo& InfoOf(Op op);
constexpr int kOpCount = static_cast<int>(Op::Count);
constexpr int kFirstInstruction = static_cast<int>(Op::Illegal) + 1;
static_assert(kOpCount <= 256, "an Op is one byte in the decoded-instruction cache");

} // namespace sim
