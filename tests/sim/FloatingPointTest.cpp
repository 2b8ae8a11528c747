// The RISC-V floating-point rules that the host's unit does not give by itself.
#include "sim/FloatingPoint.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <string>

namespace sim::fp {
namespace {

uint64_t D(double v) {
    return std::bit_cast<uint64_t>(v);
}
uint32_t S(float v) {
    return std::bit_cast<uint32_t>(v);
}
constexpr uint64_t kSignalingNaN64 = 0x7FF4000000000000ull;
constexpr uint32_t kSignalingNaN32 = 0x7FA00000u;

TEST(NanBoxing, UnboxedSingleReadsAsCanonicalNaN) {
    EXPECT_EQ(UnboxS(BoxS(S(1.5f))), S(1.5f));
    EXPECT_EQ(UnboxS(0x000000003FC00000ull), kCanonicalNaN32);
    EXPECT_EQ(UnboxS(0xFFFFFFFE3FC00000ull), kCanonicalNaN32);
    EXPECT_EQ(UnboxS(D(1.0)), kCanonicalNaN32);
}

TEST(CanonicalNaN, EveryNaNResultIsCanonical) {
    EXPECT_EQ(BitsOf(-std::numeric_limits<double>::quiet_NaN()), kCanonicalNaN64);
    EXPECT_EQ(BitsOf(std::bit_cast<double>(0xFFF8000000000123ull)), kCanonicalNaN64);
    EXPECT_EQ(BitsOf(-std::numeric_limits<float>::quiet_NaN()), kCanonicalNaN32);
    uint32_t flags = 0;
    ClearHostFlags();
    EXPECT_EQ(ArithmeticD(Arith::Add, kSignalingNaN64, D(1.0), RTZ, flags), kCanonicalNaN64);
    // The host raised invalid itself; the guest's fflags take it from there.
    EXPECT_EQ((flags | TakeHostFlags()) & NV, NV);
}

struct MinMaxRow {
    const char* name;
    uint64_t a, b;
    bool max;
    uint64_t expected;
    uint32_t flags;
};

// Rows print as their names in test listings.
void PrintTo(const MinMaxRow& row, std::ostream* os) {
    *os << row.name;
}

class MinMaxDouble : public testing::TestWithParam<MinMaxRow> {};

TEST_P(MinMaxDouble, FollowsRiscVOrdering) {
    const MinMaxRow& row = GetParam();
    uint32_t flags = 0;
    EXPECT_EQ(MinMaxD(row.a, row.b, row.max, flags), row.expected);
    EXPECT_EQ(flags, row.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MinMaxDouble,
    testing::Values(MinMaxRow{"min_negative_zero_first", D(-0.0), D(0.0), false, D(-0.0), 0},
                    MinMaxRow{"min_negative_zero_second", D(0.0), D(-0.0), false, D(-0.0), 0},
                    MinMaxRow{"max_positive_zero_first", D(0.0), D(-0.0), true, D(0.0), 0},
                    MinMaxRow{"max_positive_zero_second", D(-0.0), D(0.0), true, D(0.0), 0},
                    MinMaxRow{"min_quiet_nan_gives_other", kCanonicalNaN64, D(2.0), false, D(2.0),
                              0},
                    MinMaxRow{"max_other_then_nan", D(-3.0), kCanonicalNaN64, true, D(-3.0), 0},
                    MinMaxRow{"signaling_nan_gives_other_and_invalid", kSignalingNaN64, D(2.0),
                              false, D(2.0), NV},
                    MinMaxRow{"two_nans_give_canonical", kSignalingNaN64, 0xFFF8000000000001ull,
                              true, kCanonicalNaN64, NV},
                    MinMaxRow{"ordinary_min", D(-1.0), D(1.0), false, D(-1.0), 0},
                    MinMaxRow{"ordinary_max", D(-1.0), D(1.0), true, D(1.0), 0}),
    [](const testing::TestParamInfo<MinMaxRow>& info) { return std::string(info.param.name); });

TEST(MinMaxSingle, NegativeZeroAndNaN) {
    uint32_t flags = 0;
    EXPECT_EQ(MinMaxS(S(0.0f), S(-0.0f), false, flags), S(-0.0f));
    EXPECT_EQ(MinMaxS(kCanonicalNaN32, S(5.0f), true, flags), S(5.0f));
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(MinMaxS(kSignalingNaN32, kSignalingNaN32, true, flags), kCanonicalNaN32);
    EXPECT_EQ(flags, NV);
}

struct ToIntRow {
    const char* name;
    double value;
    IntKind kind;
    int mode;
    uint64_t expected; // the register value: 32-bit results sign-extended
    uint32_t flags;
};

// Rows print as their names in test listings.
void PrintTo(const ToIntRow& row, std::ostream* os) {
    *os << row.name;
}

class ConvertToInteger : public testing::TestWithParam<ToIntRow> {};

TEST_P(ConvertToInteger, SaturatesAndRounds) {
    const ToIntRow& row = GetParam();
    uint32_t flags = 0;
    ClearHostFlags();
    EXPECT_EQ(ToInteger(row.value, row.kind, row.mode, flags), row.expected);
    EXPECT_EQ(flags, row.flags);
    EXPECT_EQ(TakeHostFlags(), 0u) << "the conversion leaked host flags";
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertToInteger,
    testing::Values(
        ToIntRow{"w_nan_is_max", kNaN, IntKind::W, RNE, 0x7FFFFFFFull, NV},
        ToIntRow{"wu_nan_is_max_sign_extended", kNaN, IntKind::WU, RNE, ~0ull, NV},
        ToIntRow{"l_nan_is_max", kNaN, IntKind::L, RNE, 0x7FFFFFFFFFFFFFFFull, NV},
        ToIntRow{"lu_minus_inf_is_zero", -kInf, IntKind::LU, RNE, 0, NV},
        ToIntRow{"w_overflow", 3e9, IntKind::W, RTZ, 0x7FFFFFFFull, NV},
        ToIntRow{"w_underflow", -3e9, IntKind::W, RTZ, 0xFFFFFFFF80000000ull, NV},
        ToIntRow{"w_just_below_overflow_truncates", 2147483647.9, IntKind::W, RTZ, 0x7FFFFFFFull,
                 NX},
        ToIntRow{"w_rounds_up_into_overflow", 2147483647.5, IntKind::W, RNE, 0x7FFFFFFFull, NV},
        ToIntRow{"wu_negative_fraction_rounds_to_zero", -0.5, IntKind::WU, RTZ, 0, NX},
        ToIntRow{"wu_minus_one_is_invalid", -1.0, IntKind::WU, RTZ, 0, NV},
        ToIntRow{"wu_top_value_sign_extends", 4294967295.0, IntKind::WU, RNE, ~0ull, 0},
        ToIntRow{"l_two_to_63_overflows", 9223372036854775808.0, IntKind::L, RNE,
                 0x7FFFFFFFFFFFFFFFull, NV},
        ToIntRow{"l_minus_two_to_63_is_exact", -9223372036854775808.0, IntKind::L, RNE,
                 0x8000000000000000ull, 0},
        ToIntRow{"lu_two_to_64_overflows", 18446744073709551616.0, IntKind::LU, RNE, ~0ull, NV},
        ToIntRow{"rne_tie_to_even", 2.5, IntKind::L, RNE, 2, NX},
        ToIntRow{"rmm_tie_away", 2.5, IntKind::L, RMM, 3, NX},
        ToIntRow{"rmm_negative_tie_away", -2.5, IntKind::L, RMM, static_cast<uint64_t>(-3), NX},
        ToIntRow{"rdn_negative", -2.1, IntKind::L, RDN, static_cast<uint64_t>(-3), NX},
        ToIntRow{"rup_positive", 2.1, IntKind::L, RUP, 3, NX}),
    [](const testing::TestParamInfo<ToIntRow>& info) { return std::string(info.param.name); });

struct ArithRow {
    const char* name;
    Arith op;
    double a, b;
    int mode;
    double expected;
    uint32_t flags;
};

// Rows print as their names in test listings.
void PrintTo(const ArithRow& row, std::ostream* os) {
    *os << row.name;
}

class DoubleArithmetic : public testing::TestWithParam<ArithRow> {};

TEST_P(DoubleArithmetic, RoundsInTheGivenMode) {
    const ArithRow& row = GetParam();
    uint32_t flags = 0;
    ClearHostFlags();
    const uint64_t result = ArithmeticD(row.op, D(row.a), D(row.b), row.mode, flags);
    flags |= TakeHostFlags();
    EXPECT_EQ(result, D(row.expected)) << std::hexfloat << std::bit_cast<double>(result);
    EXPECT_EQ(flags, row.flags);
}

const double kTie = 0x1p-53; // 1 + kTie lies halfway between 1 and the next double

INSTANTIATE_TEST_SUITE_P(
    Rows, DoubleArithmetic,
    testing::Values(
        ArithRow{"rmm_tie_goes_away", Arith::Add, 1.0, kTie, RMM, 1.0 + 0x1p-52, NX},
        ArithRow{"rne_tie_goes_even", Arith::Add, 1.0, kTie, RNE, 1.0, NX},
        ArithRow{"rmm_negative_tie", Arith::Sub, -1.0, kTie, RMM, -1.0 - 0x1p-52, NX},
        ArithRow{"rmm_below_tie_goes_near", Arith::Add, 1.0, 0x1p-54, RMM, 1.0, NX},
        ArithRow{"rtz_does_not_round_up", Arith::Div, 2.0, 3.0, RTZ, 0x1.5555555555555p-1, NX},
        ArithRow{"rup_rounds_up", Arith::Div, 2.0, 3.0, RUP, 0x1.5555555555556p-1, NX},
        ArithRow{"rmm_overflow_to_infinity", Arith::Mul, 0x1p1023, 2.0, RMM, kInf, OF | NX},
        ArithRow{"rtz_overflow_to_max", Arith::Mul, 0x1p1023, 2.0, RTZ,
                 std::numeric_limits<double>::max(), OF | NX},
        ArithRow{"rmm_exact_is_quiet", Arith::Mul, 1.5, 2.0, RMM, 3.0, 0},
        ArithRow{"rmm_divide_by_zero", Arith::Div, 1.0, 0.0, RMM, kInf, DZ},
        ArithRow{"rmm_tiny_inexact_underflows", Arith::Mul, 0x1p-1070, 0x1.8p-4, RMM, 0x1p-1073,
                 UF | NX},
        ArithRow{"rmm_sum_far_below_ulp_is_inexact", Arith::Add, 0x1p1023, 1.0, RMM, 0x1p1023, NX}),
    [](const testing::TestParamInfo<ArithRow>& info) { return std::string(info.param.name); });

TEST(Fused, InfinityTimesZeroIsInvalidEvenWithQuietNaNAddend) {
    uint32_t flags = 0;
    ClearHostFlags();
    EXPECT_EQ(FusedD(Fused::MulAdd, D(kInf), D(0.0), kCanonicalNaN64, RNE, flags), kCanonicalNaN64);
    EXPECT_EQ((flags | TakeHostFlags()) & NV, NV);
}

TEST(Fused, NegatedFormsAndRoundTiesAway) {
    uint32_t flags = 0;
    // -(2 * 3) - 1 and -(2 * 3) + 1
    EXPECT_EQ(FusedD(Fused::NegMulAdd, D(2.0), D(3.0), D(1.0), RNE, flags), D(-7.0));
    EXPECT_EQ(FusedD(Fused::NegMulSub, D(2.0), D(3.0), D(1.0), RNE, flags), D(-5.0));
    EXPECT_EQ(FusedD(Fused::MulSub, D(2.0), D(3.0), D(1.0), RNE, flags), D(5.0));
    // 1 * 1 + 2^-53 is a tie: away from zero under RMM only.
    EXPECT_EQ(FusedD(Fused::MulAdd, D(1.0), D(1.0), D(kTie), RMM, flags), D(1.0 + 0x1p-52));
    EXPECT_EQ(FusedD(Fused::MulAdd, D(1.0), D(1.0), D(kTie), RNE, flags), D(1.0));
}

TEST(Compare, QuietEqualitySignalingOrder) {
    uint32_t flags = 0;
    EXPECT_EQ(CompareD(Compare::Eq, kCanonicalNaN64, D(1.0), flags), 0u);
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(CompareD(Compare::Eq, kSignalingNaN64, D(1.0), flags), 0u);
    EXPECT_EQ(flags, NV);
    flags = 0;
    EXPECT_EQ(CompareD(Compare::Lt, kCanonicalNaN64, D(1.0), flags), 0u);
    EXPECT_EQ(flags, NV);
    flags = 0;
    EXPECT_EQ(CompareD(Compare::Le, D(-0.0), D(0.0), flags), 1u);
    EXPECT_EQ(CompareD(Compare::Lt, D(-0.0), D(0.0), flags), 0u);
    EXPECT_EQ(flags, 0u);
}

TEST(Classify, EveryClassHasItsBit) {
    EXPECT_EQ(ClassifyD(D(-kInf)), 1u << 0);
    EXPECT_EQ(ClassifyD(D(-1.0)), 1u << 1);
    EXPECT_EQ(ClassifyD(0x800FFFFFFFFFFFFFull), 1u << 2);
    EXPECT_EQ(ClassifyD(D(-0.0)), 1u << 3);
    EXPECT_EQ(ClassifyD(D(0.0)), 1u << 4);
    EXPECT_EQ(ClassifyD(1), 1u << 5);
    EXPECT_EQ(ClassifyD(D(1.0)), 1u << 6);
    EXPECT_EQ(ClassifyD(D(kInf)), 1u << 7);
    EXPECT_EQ(ClassifyD(kSignalingNaN64), 1u << 8);
    EXPECT_EQ(ClassifyD(kCanonicalNaN64), 1u << 9);
    EXPECT_EQ(ClassifyS(kSignalingNaN32), 1u << 8);
    EXPECT_EQ(ClassifyS(UnboxS(D(1.0))), 1u << 9);
}

TEST(IntegerConversion, RoundsLargeIntegersInTheGivenMode) {
    uint32_t flags = 0;
    const uint64_t twoTo53Plus1 = (1ull << 53) + 1; // a tie between 2^53 and 2^53 + 2
    EXPECT_EQ(IntegerToD(twoTo53Plus1, IntKind::L, RNE, flags), D(0x1p53));
    EXPECT_EQ(IntegerToD(twoTo53Plus1, IntKind::L, RMM, flags), D(0x1p53 + 2));
    EXPECT_EQ(IntegerToD(twoTo53Plus1, IntKind::L, RUP, flags), D(0x1p53 + 2));
    EXPECT_EQ(IntegerToD(~0ull, IntKind::LU, RTZ, flags), D(0x1.fffffffffffffp63));
    EXPECT_EQ(IntegerToD(~0ull, IntKind::L, RNE, flags), D(-1.0));
    EXPECT_EQ(IntegerToD(0xFFFFFFFFull, IntKind::WU, RNE, flags), D(4294967295.0));
    EXPECT_EQ(IntegerToS(0x1000001ull, IntKind::W, RMM, flags), S(16777218.0f));
    EXPECT_EQ(IntegerToS(0x1000001ull, IntKind::W, RNE, flags), S(16777216.0f));
}

TEST(Narrowing, DoubleToSingleRoundTiesAway) {
    uint32_t flags = 0;
    const double tie = 1.0 + 0x1p-24; // halfway between two singles
    EXPECT_EQ(DoubleToS(D(tie), RMM, flags), S(1.0f + 0x1p-23f));
    EXPECT_EQ(DoubleToS(D(tie), RNE, flags), S(1.0f));
    EXPECT_EQ(DoubleToS(kSignalingNaN64, RMM, flags), kCanonicalNaN32);
    EXPECT_EQ(flags & NV, NV);
}

} // namespace
} // namespace sim::fp
