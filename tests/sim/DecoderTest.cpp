// The instruction table, the decoder and the compressed-instruction expansion.
#include "sim/DecodedInstruction.h"
#include "sim/InstructionSet.h"

#include <gtest/gtest.h>

#include <string>

namespace sim {
namespace {

TEST(InstructionTable, NoWordMatchesTwoRows) {
    for (int i = kFirstInstruction; i < kOpCount; ++i)
        for (int j = i + 1; j < kOpCount; ++j) {
            const InstructionInfo& a = InfoOf(static_cast<Op>(i));
            const InstructionInfo& b = InfoOf(static_cast<Op>(j));
            // Two rows overlap when they agree on every bit that both of them fix.
            EXPECT_NE((a.match ^ b.match) & a.mask & b.mask, 0u)
                << a.name << " and " << b.name << " both match some word";
        }
}

TEST(InstructionTable, EveryMatchLiesInsideItsMask) {
    for (int i = kFirstInstruction; i < kOpCount; ++i) {
        const InstructionInfo& info = InfoOf(static_cast<Op>(i));
        EXPECT_EQ(info.match & ~info.mask, 0u) << info.name;
        EXPECT_EQ(info.match & 3, 3u) << info.name << " is not a 32-bit encoding";
        EXPECT_EQ(Decode(info.match).op, static_cast<Op>(i)) << info.name;
    }
}

struct DecodeRow {
    const char* name;
    uint32_t word; // as the GNU assembler encodes it
    Op op;
    uint8_t rd, rs1, rs2;
    int64_t imm;
};

// Rows print as their names in test listings.
void PrintTo(const DecodeRow& row, std::ostream* os) {
    *os << row.name;
}

class DecodeWord : public testing::TestWithParam<DecodeRow> {};

TEST_P(DecodeWord, GivesOperationAndOperands) {
    const DecodeRow& row = GetParam();
    const DecodedInstruction d = Decode(row.word);
    EXPECT_EQ(d.op, row.op) << InfoOf(d.op).name;
    EXPECT_EQ(d.rd, row.rd);
    EXPECT_EQ(d.rs1, row.rs1);
    EXPECT_EQ(d.rs2, row.rs2);
    EXPECT_EQ(d.imm, row.imm);
    EXPECT_EQ(d.length, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Words, DecodeWord,
    testing::Values(
        DecodeRow{"addi_negative", 0xfff50513, Op::ADDI, 10, 10, 31, -1},      // addi a0,a0,-1
        DecodeRow{"lui_top_bit", 0x800002b7, Op::LUI, 5, 0, 0, -0x80000000LL}, // lui t0,0x80000
        DecodeRow{"jal_backwards", 0xffdff0ef, Op::JAL, 1, 31, 29, -4},        // jal ra,-4
        DecodeRow{"beq_forward", 0x00b50463, Op::BEQ, 8, 10, 11, 8},           // beq a0,a1,+8
        DecodeRow{"bltu_backwards", 0xfeb56ee3, Op::BLTU, 29, 10, 11, -4},     // bltu a0,a1,-4
        DecodeRow{"sd_negative_offset", 0xfea13c23, Op::SD, 24, 2, 10, -8},    // sd a0,-8(sp)
        DecodeRow{"srai_64bit_shift", 0x43f55513, Op::SRAI, 10, 10, 31, 63},   // srai a0,a0,63
        DecodeRow{"x0_destination_is_discarded", 0x00000013, Op::ADDI, kDiscardRegister, 0, 0, 0},
        DecodeRow{"csrrs_reads_fcsr", 0x003027f3, Op::CSRRS, 15, 0, 3, 3},   // frcsr a5
        DecodeRow{"amoadd_w_aqrl", 0x06b5252f, Op::AMOADD_W, 10, 10, 11, 0}, // amoadd.w.aqrl
        DecodeRow{"lr_d", 0x1005352f, Op::LR_D, 10, 10, 0, 0},               // lr.d a0,(a0)
        DecodeRow{"fadd_d_dynamic", 0x02b57553, Op::FADD_D, 10, 10, 11, 0},  // fadd.d fa0,fa0,fa1
        DecodeRow{"fmadd_s", 0x60b57543, Op::FMADD_S, 10, 10, 11, 0}, // fmadd.s fa0,fa0,fa1,fa2
        DecodeRow{"fcvt_lu_d_rtz", 0xc2351553, Op::FCVT_LU_D, 10, 10, 3, 0}, // fcvt.lu.d a0,fa0,rtz
        DecodeRow{"reserved_rounding_mode_5", 0x02b55553, Op::Illegal, 0, 0, 0, 0x02b55553},
        DecodeRow{"reserved_rounding_mode_6", 0x02b56553, Op::Illegal, 0, 0, 0, 0x02b56553},
        DecodeRow{"all_ones", 0xffffffff, Op::Illegal, 0, 0, 0, -1},  // the word, as an int32,
        DecodeRow{"slli_by_32", 0x02051513, Op::SLLI, 10, 10, 0, 32}, // slli a0,a0,32
        DecodeRow{"sraiw_bad_funct7", 0x42a5551b, Op::Illegal, 0, 0, 0, 0x42a5551b}),
    [](const testing::TestParamInfo<DecodeRow>& info) { return std::string(info.param.name); });

TEST(DecodeWord, DynamicRoundingModeIsNotRejectedAtDecode) {
    // rm 7 uses frm, which is only checked when the instruction runs.
    EXPECT_EQ(Decode(0x02b57553).op, Op::FADD_D);
    EXPECT_EQ(Decode(0x02b57553).rm, 7);
}

struct CompressedRow {
    const char* name;
    uint16_t parcel;   // what the GNU assembler emits for the compressed instruction
    uint32_t expanded; // what it emits for the 32-bit instruction of the expansion table
};

// Rows print as their names in test listings.
void PrintTo(const CompressedRow& row, std::ostream* os) {
    *os << row.name;
}

class ExpandParcel : public testing::TestWithParam<CompressedRow> {};

TEST_P(ExpandParcel, GivesTheEquivalentWord) {
    const CompressedRow& row = GetParam();
    EXPECT_EQ(ExpandCompressed(row.parcel), row.expanded) << std::hex << row.parcel;
    const DecodedInstruction d = DecodeParcels(row.parcel, 0xFFFF);
    EXPECT_EQ(d.length, 2);
    EXPECT_NE(d.op, Op::Illegal);
}

// Generated with riscv64-linux-gnu-as from each compressed instruction and its expansion.
INSTANTIATE_TEST_SUITE_P(
    Parcels, ExpandParcel,
    testing::Values(
        CompressedRow{"c_addi4spn_1", 0x1fe0, 0x3fc10413},
        CompressedRow{"c_fld_2", 0x3ce8, 0x0f84b507}, CompressedRow{"c_lw_3", 0x5e7c, 0x07c62783},
        CompressedRow{"c_ld_4", 0x7f74, 0x0f873683}, CompressedRow{"c_fsd_5", 0xa504, 0x00953427},
        CompressedRow{"c_sw_6", 0xc3a4, 0x0497a023}, CompressedRow{"c_sd_7", 0xe050, 0x08c43023},
        CompressedRow{"c_nop_8", 0x0001, 0x00000013}, CompressedRow{"c_addi_9", 0x1501, 0xfe050513},
        CompressedRow{"c_addiw_10", 0x237d, 0x01f3031b},
        CompressedRow{"c_li_11", 0x58fd, 0xfff00893},
        CompressedRow{"c_addi16sp_12", 0x7101, 0xe0010113},
        CompressedRow{"c_addi16sp_13", 0x617d, 0x1f010113},
        CompressedRow{"c_lui_14", 0x7381, 0xfffe03b7},
        CompressedRow{"c_lui_15", 0x6985, 0x000019b7},
        CompressedRow{"c_srli_16", 0x91fd, 0x03f5d593},
        CompressedRow{"c_srai_17", 0x8405, 0x40145413},
        CompressedRow{"c_andi_18", 0x9b3d, 0xfef77713},
        CompressedRow{"c_sub_19", 0x8c89, 0x40a484b3},
        CompressedRow{"c_xor_20", 0x8e35, 0x00d64633}, CompressedRow{"c_or_21", 0x8f5d, 0x00f76733},
        CompressedRow{"c_and_22", 0x8c65, 0x00947433},
        CompressedRow{"c_subw_23", 0x9d0d, 0x40b5053b},
        CompressedRow{"c_addw_24", 0x9fa5, 0x009787bb},
        CompressedRow{"c_slli_25", 0x12fe, 0x03f29293},
        CompressedRow{"c_fldsp_26", 0x31fe, 0x1f813187},
        CompressedRow{"c_lwsp_27", 0x50fe, 0x0fc12083},
        CompressedRow{"c_ldsp_28", 0x7dfe, 0x1f813d83},
        CompressedRow{"c_jr_29", 0x8282, 0x00028067}, CompressedRow{"c_mv_30", 0x854a, 0x01200533},
        CompressedRow{"c_ebreak_31", 0x9002, 0x00100073},
        CompressedRow{"c_jalr_32", 0x9582, 0x000580e7},
        CompressedRow{"c_add_33", 0x9ffa, 0x01ef8fb3},
        CompressedRow{"c_fsdsp_34", 0xbfee, 0x1fb13c27},
        CompressedRow{"c_swsp_35", 0xdfaa, 0x0ea12e23},
        CompressedRow{"c_sdsp_36", 0xfff6, 0x1fd13c23}),
    [](const testing::TestParamInfo<CompressedRow>& info) { return std::string(info.param.name); });

struct ReservedRow {
    const char* name;
    uint16_t parcel;
};

// Rows print as their names in test listings.
void PrintTo(const ReservedRow& row, std::ostream* os) {
    *os << row.name;
}

class ReservedParcel : public testing::TestWithParam<ReservedRow> {};

TEST_P(ReservedParcel, IsIllegal) {
    EXPECT_EQ(ExpandCompressed(GetParam().parcel), 0u);
    EXPECT_EQ(DecodeParcels(GetParam().parcel, 0).op, Op::Illegal);
    EXPECT_EQ(DecodeParcels(GetParam().parcel, 0).length, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Parcels, ReservedParcel,
    testing::Values(ReservedRow{"all_zero", 0x0000}, ReservedRow{"addi4spn_zero_immediate", 0x0004},
                    ReservedRow{"quadrant0_reserved_funct3", 0x8000},
                    ReservedRow{"addiw_to_x0", 0x2001}, ReservedRow{"addi16sp_zero", 0x6101},
                    ReservedRow{"lui_zero", 0x6281}, ReservedRow{"subw_reserved_row", 0x9c41},
                    ReservedRow{"lwsp_to_x0", 0x4002}, ReservedRow{"ldsp_to_x0", 0x6002},
                    ReservedRow{"jr_x0", 0x8002}),
    [](const testing::TestParamInfo<ReservedRow>& info) { return std::string(info.param.name); });

TEST(DecodeParcels, FullSizeInstructionTakesBothParcels) {
    const DecodedInstruction d = DecodeParcels(0x0513, 0xfff5); // addi a0,a0,-1
    EXPECT_EQ(d.op, Op::ADDI);
    EXPECT_EQ(d.length, 4);
    EXPECT_EQ(d.imm, -1);
}

TEST(DecodeParcels, LongerEncodingsAreIllegal) {
    EXPECT_EQ(DecodeParcels(0x001F, 0).op, Op::Illegal); // a 48-bit encoding
}

} // namespace
} // namespace sim
