// The simulators' command line as the window composes it, and the lines they refuse.
#include "sim/SimOptions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace sim {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

TEST(SimOptions, PredictionLineOfTheWindow) {
    const ParsedOptions p = ParseSimOptions(Words(
        "-redir:sim simout.res -redir:prog progout.res -memaddr 1 -pred 1 -assoc 0 -lvpt 1024 "
        "-history 1 -max:inst 50000000 swim.ss"));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.statisticsFile, "simout.res");
    EXPECT_EQ(p.options.programOutput, "progout.res");
    EXPECT_EQ(p.options.memoryAddress, 1);
    EXPECT_EQ(p.options.predict, 1);
    EXPECT_EQ(p.options.associative, 0);
    EXPECT_EQ(p.options.lvptEntries, 1024u);
    EXPECT_EQ(p.options.history, 1u);
    EXPECT_EQ(p.options.maxInstructions, 50000000u);
    EXPECT_EQ(p.options.program, std::vector<std::string>{"swim.ss"});
}

TEST(SimOptions, WordsAfterTheProgramAreItsArgumentsEvenWhenTheyLookLikeOptions) {
    const ParsedOptions p =
        ParseSimOptions(Words("-memaddr 1 -history 32 tomcatv.ss {uses TOMCATV.MODEL} -history x"));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.history, 32u);
    EXPECT_EQ(p.options.program,
              (std::vector<std::string>{"tomcatv.ss", "{uses", "TOMCATV.MODEL}", "-history", "x"}));
}

TEST(SimOptions, DefaultsWithoutOptions) {
    const ParsedOptions p = ParseSimOptions(Words("prog.ss"));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.maxInstructions, 0u);
    EXPECT_TRUE(p.options.statisticsFile.empty());
    EXPECT_TRUE(p.options.programOutput.empty());
    EXPECT_EQ(p.options.history, 1u);
}

struct RefusedRow {
    const char* name;
    std::vector<std::string> words;
    const char* messagePart;
};

// Rows print as their names in test listings.
void PrintTo(const RefusedRow& row, std::ostream* os) {
    *os << row.name;
}

class RefusedLine : public testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedLine, NamesWhatIsWrong) {
    const ParsedOptions p = ParseSimOptions(GetParam().words);
    EXPECT_FALSE(p.ok);
    EXPECT_NE(p.error.find(GetParam().messagePart), std::string::npos) << p.error;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedLine,
    testing::Values(
        RefusedRow{"unknown_option", {"-fast", "1", "p.ss"}, "unknown option '-fast'"},
        RefusedRow{"missing_value", {"-max:inst"}, "needs a value"},
        RefusedRow{"trailing_text", {"-history", "12abc", "p.ss"}, "'12abc'"},
        RefusedRow{"negative", {"-lvpt", "-8", "p.ss"}, "'-8'"},
        RefusedRow{"empty_value", {"-max:inst", "", "p.ss"}, "expects"},
        RefusedRow{"history_zero", {"-history", "0", "p.ss"}, "at least 1"},
        RefusedRow{"lvpt_zero", {"-lvpt", "0", "p.ss"}, "at least 1"},
        RefusedRow{"memaddr_two", {"-memaddr", "2", "p.ss"}, "0 or 1"},
        RefusedRow{"assoc_word", {"-assoc", "yes", "p.ss"}, "0 or 1"},
        RefusedRow{"number_too_large", {"-max:inst", "99999999999999999999999", "p.ss"}, "expects"},
        RefusedRow{"leading_space", {"-history", " 64", "p.ss"}, "' 64'"},
        RefusedRow{"no_program", {"-memaddr", "0"}, "no program"},
        RefusedRow{"nothing_at_all", {}, "no program"}),
    [](const testing::TestParamInfo<RefusedRow>& info) { return std::string(info.param.name); });

TEST(SimOptions, LargestInstructionLimitIsAccepted) {
    const ParsedOptions p = ParseSimOptions({"-max:inst", "18446744073709551615", "p.ss"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.maxInstructions, UINT64_MAX);
    EXPECT_FALSE(ParseSimOptions({"-max:inst", "18446744073709551616", "p.ss"}).ok);
}

} // namespace
} // namespace sim
