#include "job/JobValidation.h"
#include "res/ControlIds.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const char* kBenchmarkMsg = "Please select a benchmark.";
const char* kLocalityMsg = "Please choose a value for locality history.";
const char* kLvptMsg = "Please choose a value for LVPT size.";
const char* kPredHistoryMsg = "Please choose a value for prediction history.";
const char* kPatternMsg = "Please choose a value for pattern size.";

// A job as the window opens, with a benchmark chosen: valid.
JobSettings ChosenJob() {
    JobSettings s;
    s.benchmark = "applu.ss";
    return s;
}

JobSettings LocalityWithHistory(const std::string& history) {
    JobSettings s = ChosenJob();
    s.mode = SimulationMode::ValueLocality;
    s.useLocalityHistory = true;
    s.localityHistory = history;
    return s;
}

JobSettings PredictionWithHistoryOnInstructions() {
    JobSettings s = ChosenJob();
    s.usePredictionHistory = true;
    s.localityOnRegisters = false;
    return s;
}

struct ValidationCase {
    const char* name;
    std::function<JobSettings()> make;
    const char* message; // nullptr: valid
    int focusId;
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.name;
}

class ValidationTest : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidationTest, GivesTheFirstFailingStep) {
    const ValidationCase& c = GetParam();
    const auto failure = ValidateJobSettings(c.make());
    if (c.message == nullptr) {
        EXPECT_FALSE(failure.has_value()) << failure->message;
        return;
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->focusId, c.focusId);
}

JobSettings With(JobSettings s, const std::function<void(JobSettings&)>& change) {
    change(s);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidationTest,
    ::testing::Values(
        ValidationCase{"Defaults", ChosenJob, nullptr, 0},
        ValidationCase{
            "NoBenchmarkWinsOverEverything",
            [] { return With(LocalityWithHistory(""), [](auto& s) { s.benchmark = ""; }); },
            kBenchmarkMsg, ids::IDC_BENCHMARK},
        ValidationCase{"LocalityWithoutHistoryIgnoresIt",
                       [] {
                           return With(LocalityWithHistory("0"),
                                       [](auto& s) { s.useLocalityHistory = false; });
                       },
                       nullptr, 0},
        ValidationCase{"LocalityHistoryEmpty", [] { return LocalityWithHistory(""); }, kLocalityMsg,
                       ids::IDC_LOCALITY_HISTORY},
        ValidationCase{"LocalityHistoryZero", [] { return LocalityWithHistory("0"); }, kLocalityMsg,
                       ids::IDC_LOCALITY_HISTORY},
        ValidationCase{"LocalityHistoryDoubleZero", [] { return LocalityWithHistory("00"); },
                       kLocalityMsg, ids::IDC_LOCALITY_HISTORY},
        ValidationCase{"LocalityHistoryPlusZero", [] { return LocalityWithHistory("+0"); },
                       kLocalityMsg, ids::IDC_LOCALITY_HISTORY},
        ValidationCase{"LocalityHistorySpaceZero", [] { return LocalityWithHistory(" 0"); },
                       kLocalityMsg, ids::IDC_LOCALITY_HISTORY},
        ValidationCase{"LocalityHistoryLetters", [] { return LocalityWithHistory("abc"); },
                       kLocalityMsg, ids::IDC_LOCALITY_HISTORY},
        ValidationCase{"LocalityHistoryTwoToThe32",
                       [] { return LocalityWithHistory("4294967296"); }, kLocalityMsg,
                       ids::IDC_LOCALITY_HISTORY},
        ValidationCase{"LocalityHistoryTwoToThe32PlusOne",
                       [] { return LocalityWithHistory("4294967297"); }, nullptr, 0},
        ValidationCase{"LocalityHistory16", [] { return LocalityWithHistory("16"); }, nullptr, 0},
        ValidationCase{"LocalityHistory12abc", [] { return LocalityWithHistory("12abc"); }, nullptr,
                       0},
        ValidationCase{"LocalityHistoryNegative", [] { return LocalityWithHistory("-4"); }, nullptr,
                       0},
        ValidationCase{"LocalityHistoryLeadingSpace", [] { return LocalityWithHistory(" 64"); },
                       nullptr, 0},
        ValidationCase{
            "LocalityIgnoresLvpt",
            [] { return With(LocalityWithHistory("16"), [](auto& s) { s.lvptSize = ""; }); },
            nullptr, 0},
        ValidationCase{"PredictionIgnoresLocalityHistory",
                       [] {
                           return With(LocalityWithHistory("0"),
                                       [](auto& s) { s.mode = SimulationMode::ValuePrediction; });
                       },
                       nullptr, 0},
        ValidationCase{"LvptZero",
                       [] { return With(ChosenJob(), [](auto& s) { s.lvptSize = "0"; }); },
                       kLvptMsg, ids::IDC_LVPT_SIZE},
        ValidationCase{"LvptEmpty",
                       [] { return With(ChosenJob(), [](auto& s) { s.lvptSize = ""; }); }, kLvptMsg,
                       ids::IDC_LVPT_SIZE},
        ValidationCase{"LvptTwoToThe32",
                       [] { return With(ChosenJob(), [](auto& s) { s.lvptSize = "4294967296"; }); },
                       kLvptMsg, ids::IDC_LVPT_SIZE},
        ValidationCase{"PredictionHistoryBeforePatternSize",
                       [] {
                           return With(PredictionWithHistoryOnInstructions(), [](auto& s) {
                               s.predictionHistory = "";
                               s.patternSize = "";
                           });
                       },
                       kPredHistoryMsg, ids::IDC_PREDICTION_HISTORY},
        ValidationCase{"PatternSizeMissing",
                       [] {
                           return With(PredictionWithHistoryOnInstructions(),
                                       [](auto& s) { s.patternSize = "0"; });
                       },
                       kPatternMsg, ids::IDC_PATTERN_SIZE},
        ValidationCase{"PredictionHistoryOnRegistersSkipsSteps4And5",
                       [] {
                           return With(PredictionWithHistoryOnInstructions(), [](auto& s) {
                               s.localityOnRegisters = true;
                               s.predictionHistory = "";
                               s.patternSize = "";
                           });
                       },
                       nullptr, 0},
        ValidationCase{"PredictionHistoryUnusedSkipsSteps4And5",
                       [] {
                           return With(ChosenJob(), [](auto& s) {
                               s.localityOnRegisters = false;
                               s.predictionHistory = "";
                           });
                       },
                       nullptr, 0},
        ValidationCase{"MaxInstructionsNeverTested",
                       [] { return With(ChosenJob(), [](auto& s) { s.maxInstructions = "0"; }); },
                       nullptr, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Every shell metacharacter in a value that goes on the line fails that value's step; the
// values that never reach the line are not refused for it.
TEST(ShellSafetyTest, LineValuesWithShellSyntaxFailTheirStep) {
    const std::string kUnsafe = ";&|<>()$`\\\"'*?[~#\n";
    for (char c : kUnsafe) {
        const std::string value = std::string("16") + c + "x";
        SCOPED_TRACE(testing::Message() << "character " << int(c));

        auto locality = ValidateJobSettings(LocalityWithHistory(value));
        ASSERT_TRUE(locality.has_value());
        EXPECT_EQ(locality->message, kLocalityMsg);
        EXPECT_EQ(locality->focusId, ids::IDC_LOCALITY_HISTORY);

        auto lvpt = ValidateJobSettings(With(ChosenJob(), [&](auto& s) { s.lvptSize = value; }));
        ASSERT_TRUE(lvpt.has_value());
        EXPECT_EQ(lvpt->message, kLvptMsg);
        EXPECT_EQ(lvpt->focusId, ids::IDC_LVPT_SIZE);

        // Not on the line: prediction history and pattern size; the locality history when its
        // step does not run.
        EXPECT_FALSE(ValidateJobSettings(With(PredictionWithHistoryOnInstructions(), [&](auto& s) {
                         s.predictionHistory = value;
                         s.patternSize = value;
                     })).has_value());
        EXPECT_FALSE(ValidateJobSettings(With(LocalityWithHistory(value), [](auto& s) {
                         s.useLocalityHistory = false;
                     })).has_value());
    }
}

TEST(ShellSafetyTest, OrdinaryOddValuesPass) {
    for (const char* value : {" 64", "12abc", "-8", "16\tx", "16 x", "16\xe9\xff", "1{2}", "1%2"}) {
        EXPECT_FALSE(HoldsShellSyntax(value)) << value;
        EXPECT_FALSE(ValidateJobSettings(LocalityWithHistory(value)).has_value()) << value;
        EXPECT_FALSE(ValidateJobSettings(With(ChosenJob(), [&](auto& s) { s.lvptSize = value; }))
                         .has_value())
            << value;
    }
}

} // namespace
