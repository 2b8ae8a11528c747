// The control-state rules, driven through the real widgets and compared with the resulting
// states: every control's enabled state, not just the ones a rule names.
#include "NamedCase.h"
#include "WindowFixture.h"

#include "dialog/RunLists.h"
#include "platform/PictureButton.h"

#include <functional>

namespace {
using testcases::PrintTo;
using namespace ids;

// The idle states of value locality, from the idle prediction window: what the locality rule
// changes, with 1008 and 1027 following 1007.
std::map<int, bool> LocalityStates(std::map<int, bool> states, bool historyChecked) {
    for (int id : {IDC_GROUP_LOCALITY, IDC_LOCALITY_USE_HISTORY, IDC_LOCALITY_ON_REGISTERS,
                   IDC_LOCALITY_ON_INSTRUCTIONS}) {
        states[id] = true;
    }
    states[IDC_LOCALITY_HISTORY] = historyChecked;
    states[IDC_LABEL_LOCALITY_HISTORY] = historyChecked;
    for (int id : {IDC_GROUP_PREDICTION, IDC_DIRECT_MAPPED, IDC_ASSOCIATIVE, IDC_LABEL_LVPT_SIZE,
                   IDC_LVPT_SIZE, IDC_GROUP_PREDICTION_HISTORY, IDC_PREDICTION_USE_HISTORY,
                   IDC_HYBRID_PREDICTION, IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY,
                   IDC_LABEL_PATTERN_SIZE, IDC_PATTERN_SIZE}) {
        states[id] = false;
    }
    return states;
}

std::map<int, bool> With(std::map<int, bool> states, std::initializer_list<int> ids, bool enabled) {
    for (int id : ids) {
        states[id] = enabled;
    }
    return states;
}

constexpr std::initializer_list<int> kHistoryFour{
    IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE, IDC_PATTERN_SIZE};

struct RuleCase {
    const char* name;
    std::vector<int> clicks;                       // visible controls, clicked in order
    std::function<std::map<int, bool>()> expected; // every control's enabled state
    std::map<int, int> checks;                     // check marks that must hold afterwards
};

class ControlRulesTest : public WindowFixture, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(ControlRulesTest, ResultingStates) {
    for (int id : GetParam().clicks) {
        Click(id);
    }
    EXPECT_EQ(EnabledStates(), GetParam().expected());
    for (const auto& [id, check] : GetParam().checks) {
        EXPECT_EQ(window.GetCheck(id), check) << id;
    }
}

const std::map<int, bool> kOpening = [] {
    std::map<int, bool> states;
    for (const ControlTemplate& row : MainDialogTemplate().controls) {
        if (row.id != -1) {
            states[row.id] = !(row.style & flags::Disabled);
        }
    }
    return states;
}();

INSTANTIATE_TEST_SUITE_P(
    Rules, ControlRulesTest,
    ::testing::Values(
        RuleCase{"LocalityWithHistoryUnchecked",
                 {IDC_LOCALITY_RADIO},
                 [] { return LocalityStates(kOpening, false); },
                 {{IDC_LOCALITY_RADIO, 1}, {IDC_PREDICTION_RADIO, 0}}},
        RuleCase{"LocalityTwiceChangesNothingMore",
                 {IDC_LOCALITY_RADIO, IDC_LOCALITY_RADIO},
                 [] { return LocalityStates(kOpening, false); },
                 {{IDC_LOCALITY_RADIO, 1}, {IDC_PREDICTION_RADIO, 0}}},
        RuleCase{"LocalityHistoryCheckedEnablesItsList",
                 {IDC_LOCALITY_RADIO, IDC_LOCALITY_USE_HISTORY},
                 [] { return LocalityStates(kOpening, true); },
                 {{IDC_LOCALITY_USE_HISTORY, 1}}},
        RuleCase{"LocalityHistoryUncheckedAgain",
                 {IDC_LOCALITY_RADIO, IDC_LOCALITY_USE_HISTORY, IDC_LOCALITY_USE_HISTORY},
                 [] { return LocalityStates(kOpening, false); },
                 {{IDC_LOCALITY_USE_HISTORY, 0}}},
        RuleCase{"BackToPredictionIsTheOpeningState",
                 {IDC_LOCALITY_RADIO, IDC_PREDICTION_RADIO},
                 [] { return kOpening; },
                 {{IDC_LOCALITY_RADIO, 0}, {IDC_PREDICTION_RADIO, 1}}},
        RuleCase{"PredictionAgainChangesNothing",
                 {IDC_PREDICTION_RADIO},
                 [] { return kOpening; },
                 {{IDC_PREDICTION_RADIO, 1}, {IDC_LOCALITY_RADIO, 0}}},
        RuleCase{"HistoryCheckSurvivesPredictionAndComesBackAtOnce",
                 {IDC_LOCALITY_RADIO, IDC_LOCALITY_USE_HISTORY, IDC_PREDICTION_RADIO,
                  IDC_LOCALITY_RADIO},
                 [] { return LocalityStates(kOpening, true); },
                 {{IDC_LOCALITY_USE_HISTORY, 1}}},
        RuleCase{"RegistersStaysCheckedWhileDisabledInPrediction",
                 {IDC_LOCALITY_RADIO, IDC_PREDICTION_RADIO},
                 [] { return kOpening; },
                 {{IDC_LOCALITY_ON_REGISTERS, 1}, {IDC_LOCALITY_ON_INSTRUCTIONS, 0}}},
        RuleCase{"InstructionsEnablesTheHiddenHistoryControls",
                 {IDC_LOCALITY_RADIO, IDC_LOCALITY_ON_INSTRUCTIONS},
                 [] { return With(LocalityStates(kOpening, false), kHistoryFour, true); },
                 {{IDC_LOCALITY_ON_INSTRUCTIONS, 1}, {IDC_LOCALITY_ON_REGISTERS, 0}}},
        RuleCase{"RegistersDisablesThemAgain",
                 {IDC_LOCALITY_RADIO, IDC_LOCALITY_ON_INSTRUCTIONS, IDC_LOCALITY_ON_REGISTERS},
                 [] { return LocalityStates(kOpening, false); },
                 {{IDC_LOCALITY_ON_REGISTERS, 1}, {IDC_LOCALITY_ON_INSTRUCTIONS, 0}}},
        // The prediction rule leaves the four alone while 1014 is unchecked.
        RuleCase{"PredictionLeavesTheHiddenHistoryControlsAsTheyWere",
                 {IDC_LOCALITY_RADIO, IDC_LOCALITY_ON_INSTRUCTIONS, IDC_PREDICTION_RADIO},
                 [] { return With(kOpening, kHistoryFour, true); },
                 {{IDC_LOCALITY_ON_INSTRUCTIONS, 1}}},
        RuleCase{"DataAddressUnchecksInstructionAddress",
                 {IDC_DATA_ADDRESS},
                 [] { return kOpening; },
                 {{IDC_DATA_ADDRESS, 1}, {IDC_INSTRUCTION_ADDRESS, 0}}},
        RuleCase{"InstructionAddressUnchecksDataAddress",
                 {IDC_DATA_ADDRESS, IDC_INSTRUCTION_ADDRESS},
                 [] { return kOpening; },
                 {{IDC_DATA_ADDRESS, 0}, {IDC_INSTRUCTION_ADDRESS, 1}}},
        RuleCase{"DirectMappedUnchecksAssociative",
                 {IDC_DIRECT_MAPPED},
                 [] { return kOpening; },
                 {{IDC_DIRECT_MAPPED, 1}, {IDC_ASSOCIATIVE, 0}}},
        RuleCase{"AssociativeUnchecksDirectMapped",
                 {IDC_DIRECT_MAPPED, IDC_ASSOCIATIVE},
                 [] { return kOpening; },
                 {{IDC_DIRECT_MAPPED, 0}, {IDC_ASSOCIATIVE, 1}}},
        RuleCase{"ClickingACheckedRadioKeepsItChecked",
                 {IDC_ASSOCIATIVE, IDC_INSTRUCTION_ADDRESS},
                 [] { return kOpening; },
                 {{IDC_ASSOCIATIVE, 1}, {IDC_INSTRUCTION_ADDRESS, 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The hidden controls cannot be clicked; their handlers run as the event table would run them.
using HiddenHistoryRules = WindowFixture;

TEST_F(HiddenHistoryRules, PredictionHistoryCheckEnablesTheRadiosAndFollowsInstructions) {
    window.SetCheck(IDC_PREDICTION_USE_HISTORY, true);
    window.OnPredictionHistoryCheck();
    EXPECT_EQ(EnabledStates(),
              With(kOpening,
                   {IDC_LOCALITY_ON_REGISTERS, IDC_LOCALITY_ON_INSTRUCTIONS, IDC_HYBRID_PREDICTION},
                   true));
    window.SetCheck(IDC_HYBRID_PREDICTION, true);
    window.OnHybridRadio();
    EXPECT_EQ(window.GetCheck(IDC_LOCALITY_ON_REGISTERS), 0);
    EXPECT_EQ(window.GetCheck(IDC_LOCALITY_ON_INSTRUCTIONS), 0);
    // With 1014 and 1017 checked the prediction rule enables all of the hidden history.
    window.OnPredictionRadio();
    EXPECT_EQ(EnabledStates(),
              With(kOpening,
                   {IDC_HYBRID_PREDICTION, IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY,
                    IDC_LABEL_PATTERN_SIZE, IDC_PATTERN_SIZE},
                   true));
    window.SetCheck(IDC_PREDICTION_USE_HISTORY, false);
    window.OnPredictionHistoryCheck();
    EXPECT_EQ(EnabledStates(), kOpening);
}

using RunStateRules = WindowFixture;

TEST_F(RunStateRules, EnableComponentsSwitchesStartAndStopWithTheirMenuItems) {
    window.EnableComponents(false);
    EXPECT_FALSE(window.IsControlEnabled(IDOK));
    EXPECT_TRUE(window.IsControlEnabled(IDCANCEL));
    EXPECT_FALSE(window.menuItem(0, 0)->isEnabled());
    EXPECT_TRUE(window.menuItem(0, 1)->isEnabled());
    EXPECT_EQ(static_cast<PictureButton*>(window.control(IDOK))->ChosenFace(),
              PictureButton::Disabled);
    window.EnableComponents(true);
    EXPECT_EQ(EnabledStates(), kOpening);
    EXPECT_TRUE(window.menuItem(0, 0)->isEnabled());
    EXPECT_FALSE(window.menuItem(0, 1)->isEnabled());
    // At idle it changes nothing.
    window.EnableComponents(true);
    EXPECT_EQ(EnabledStates(), kOpening);
}

TEST_F(RunStateRules, RunStartListDisablesExactlyItsTwentyNineControls) {
    window.EnableComponents(false);
    window.DisableRunStartList();
    std::map<int, bool> expected = With(kOpening, {IDOK}, false);
    expected[IDCANCEL] = true;
    for (int id : runlists::RunStart) {
        expected[id] = false;
    }
    EXPECT_EQ(EnabledStates(), expected);
    // Usable while running: Stop, Exit, Open_Regs_File, the Exit and About items.
    for (int id : {IDCANCEL, IDC_EXIT, IDC_OPEN_REGS_FILE}) {
        EXPECT_TRUE(window.IsControlEnabled(id)) << id;
    }
    EXPECT_TRUE(window.menuItem(1, 0)->isEnabled());
    EXPECT_TRUE(window.menuItem(2, 0)->isEnabled());
}

struct RestoreCase {
    const char* name;
    std::vector<int> clicksBeforeTheRun;
    std::function<std::map<int, bool>()> expected;
};

class StopRestoresTest : public WindowFixture, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(StopRestoresTest, TheIdleWindowOfTheRunsMode) {
    for (int id : GetParam().clicksBeforeTheRun) {
        Click(id);
    }
    window.EnableComponents(false);
    window.DisableRunStartList();
    window.OnCancel();
    EXPECT_EQ(EnabledStates(), GetParam().expected());
    EXPECT_TRUE(window.menuItem(0, 0)->isEnabled());
    EXPECT_FALSE(window.menuItem(0, 1)->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, StopRestoresTest,
    ::testing::Values(RestoreCase{"Prediction", {}, [] { return kOpening; }},
                      RestoreCase{"LocalityWithHistory",
                                  {IDC_LOCALITY_RADIO, IDC_LOCALITY_USE_HISTORY},
                                  [] { return LocalityStates(kOpening, true); }},
                      RestoreCase{"LocalityWithoutHistory",
                                  {IDC_LOCALITY_RADIO},
                                  [] { return LocalityStates(kOpening, false); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunStateRules, PredictionResultsSwitchOnlyTheResultFields) {
    window.EnablePredictionResults(false);
    const std::map<int, bool> locality =
        With(With(kOpening,
                  {IDC_LABEL_CORRECT_UNPRED, IDC_RESULT_CORRECT_UNPRED, IDC_LABEL_PREDICTED,
                   IDC_RESULT_PREDICTED, IDC_LABEL_CLASSIFIED_PRED, IDC_RESULT_CLASSIFIED_PRED,
                   IDC_LABEL_CLASSIFIED_UNPRED, IDC_RESULT_CLASSIFIED_UNPRED},
                  false),
             {IDC_LABEL_LOAD_LOCALITY, IDC_LABEL_ALU_LOCALITY, IDC_RESULT_LOAD_LOCALITY,
              IDC_RESULT_ALU_LOCALITY},
             true);
    EXPECT_EQ(EnabledStates(), locality);
    // Switching the mode leaves the result fields as the last Start set them.
    Click(IDC_PREDICTION_RADIO);
    EXPECT_EQ(EnabledStates(), locality);
    window.EnablePredictionResults(true);
    EXPECT_EQ(EnabledStates(), kOpening);
}

} // namespace
