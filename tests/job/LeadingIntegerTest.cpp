#include "job/LeadingInteger.h"

#include <gtest/gtest.h>

namespace {

struct LeadingIntegerCase {
    const char* name;
    std::string text;
    int32_t value;
};

void PrintTo(const LeadingIntegerCase& c, std::ostream* os) {
    *os << c.name;
}

class LeadingIntegerTest : public ::testing::TestWithParam<LeadingIntegerCase> {};

TEST_P(LeadingIntegerTest, MatchesTheRule) {
    EXPECT_EQ(LeadingInteger(GetParam().text), GetParam().value)
        << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadingIntegerTest,
    ::testing::Values(
        LeadingIntegerCase{"Empty", "", 0}, LeadingIntegerCase{"Plain", "16", 16},
        LeadingIntegerCase{"PlusZero", "+0", 0}, LeadingIntegerCase{"SpaceZero", " 0", 0},
        LeadingIntegerCase{"MinusZero", "-0", 0}, LeadingIntegerCase{"DoubleZero", "00", 0},
        LeadingIntegerCase{"LoneMinus", "-", 0}, LeadingIntegerCase{"LonePlus", "+", 0},
        LeadingIntegerCase{"Letters", "abc", 0}, LeadingIntegerCase{"TrailingLetters", "12abc", 12},
        LeadingIntegerCase{"Negative", "-8", -8},
        LeadingIntegerCase{"AllSixSpaces", " \t\n\v\f\r42", 42},
        LeadingIntegerCase{"SpaceAfterSign", "- 5", 0}, LeadingIntegerCase{"TwoSigns", "+-5", 0},
        LeadingIntegerCase{"NonBreakingSpaceIsNotSkipped",
                           "\xa0"
                           "5",
                           0},
        LeadingIntegerCase{"StopsAtFirstNonDigit", "1 2", 1},
        LeadingIntegerCase{"Int32Max", "2147483647", 2147483647},
        LeadingIntegerCase{"WrapsPastInt32Max", "2147483648", INT32_MIN},
        LeadingIntegerCase{"TwoToThe32", "4294967296", 0},
        LeadingIntegerCase{"TwoToThe32PlusOne", "4294967297", 1},
        LeadingIntegerCase{"NegatedAfterWrap", "-4294967297", -1},
        LeadingIntegerCase{"Int32MinStaysMin", "-2147483648", INT32_MIN},
        LeadingIntegerCase{"ManyDigits", "100000000000000000001", 1661992961}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IsMissingTest, EmptyOrZeroIsMissing) {
    for (const char* text : {"", "0", "00", "+0", " 0", "-0", "abc", "4294967296", "-"})
        EXPECT_TRUE(IsMissing(text)) << "'" << text << "'";
    for (const char* text : {"16", "12abc", "-4", " 64", "4294967297", "\t1"})
        EXPECT_FALSE(IsMissing(text)) << "'" << text << "'";
}

} // namespace
