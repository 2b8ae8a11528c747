// Start up to the composed line: validation with its messages and focus, the result fields,
// the line itself, and the routes that reach Start.
#include "NamedCase.h"
#include "WindowFixture.h"

#include "dialog/RunLists.h"
#include "job/BenchmarkCatalogue.h"
#include "platform/AnimationControl.h"
#include "run/CommandLine.h"

#include <functional>

namespace {
using testcases::PrintTo;
using namespace ids;

void FillResults(CZemloDlg& window) {
    for (int id : runlists::ResultFieldsInClearingOrder) {
        window.SetControlText(id, "old " + std::to_string(id));
    }
}

bool HasFocus(const CZemloDlg& window, int id) {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == window.control(id) || focus->parentWidget() == window.control(id));
}

struct RefusalCase {
    const char* name;
    std::function<void(WindowFixture&)> setUp;
    const char* message;
    int focusId;
};

class StartRefusedTest : public WindowFixture, public ::testing::WithParamInterface<RefusalCase> {
public:
    using WindowFixture::ChooseBenchmark;
    using WindowFixture::Click;
    using WindowFixture::TypeIntoCombo;
};

TEST_P(StartRefusedTest, ShowsTheMessageThenFocusesTheControlAndChangesNothingElse) {
    GetParam().setUp(*this);
    FillResults(window);
    const auto statesBefore = EnabledStates();
    window.FocusControl(IDC_MAX_INSTRUCTIONS);
    Click(IDOK);
    ASSERT_EQ(services.messages, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(services.focusWhenMessageShown, window.control(IDOK)); // the click focused Start
    EXPECT_TRUE(HasFocus(window, GetParam().focusId));
    EXPECT_EQ(EnabledStates(), statesBefore);
    for (int id : runlists::ResultFieldsInClearingOrder) {
        EXPECT_EQ(window.ControlText(id), "old " + std::to_string(id));
    }
    EXPECT_TRUE(window.launchedLines.empty());
    EXPECT_EQ(window.lastCommandLine(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Validation, StartRefusedTest,
    ::testing::Values(
        RefusalCase{"NoBenchmark", [](WindowFixture&) {}, "Please select a benchmark.",
                    IDC_BENCHMARK},
        RefusalCase{"NoBenchmarkWhateverElse",
                    [](WindowFixture& f) {
                        static_cast<StartRefusedTest&>(f).TypeIntoCombo(IDC_LVPT_SIZE, "0");
                    },
                    "Please select a benchmark.", IDC_BENCHMARK},
        RefusalCase{"LocalityHistoryZero",
                    [](WindowFixture& f) {
                        auto& t = static_cast<StartRefusedTest&>(f);
                        t.ChooseBenchmark("/w/swim.ss");
                        t.Click(IDC_LOCALITY_RADIO);
                        t.Click(IDC_LOCALITY_USE_HISTORY);
                        t.TypeIntoCombo(IDC_LOCALITY_HISTORY, "0");
                    },
                    "Please choose a value for locality history.", IDC_LOCALITY_HISTORY},
        RefusalCase{"LocalityHistoryShellSyntax",
                    [](WindowFixture& f) {
                        auto& t = static_cast<StartRefusedTest&>(f);
                        t.ChooseBenchmark("/w/swim.ss");
                        t.Click(IDC_LOCALITY_RADIO);
                        t.Click(IDC_LOCALITY_USE_HISTORY);
                        t.TypeIntoCombo(IDC_LOCALITY_HISTORY, "16;reboot");
                    },
                    "Please choose a value for locality history.", IDC_LOCALITY_HISTORY},
        RefusalCase{"LvptSizeEmpty",
                    [](WindowFixture& f) {
                        auto& t = static_cast<StartRefusedTest&>(f);
                        t.ChooseBenchmark("/w/swim.ss");
                        t.TypeIntoCombo(IDC_LVPT_SIZE, "");
                    },
                    "Please choose a value for LVPT size.", IDC_LVPT_SIZE},
        RefusalCase{"LvptSizeTwoToThe32",
                    [](WindowFixture& f) {
                        auto& t = static_cast<StartRefusedTest&>(f);
                        t.ChooseBenchmark("/w/swim.ss");
                        t.TypeIntoCombo(IDC_LVPT_SIZE, "4294967296");
                    },
                    "Please choose a value for LVPT size.", IDC_LVPT_SIZE}),
    [](const auto& info) { return std::string(info.param.name); });

using StartAccepted = WindowFixture;

TEST_F(StartAccepted, EmptiesTheResultsSwitchesThemForTheModeAndComposesTheLine) {
    ChooseBenchmark("/some/where/swim.ss");
    Click(IDC_LOCALITY_RADIO);
    FillResults(window);
    QTest::keyClicks(window.control(IDC_MAX_INSTRUCTIONS), "1000");
    Click(IDOK);
    EXPECT_TRUE(services.messages.empty());
    for (int id : runlists::ResultFieldsInClearingOrder) {
        EXPECT_EQ(window.ControlText(id), "") << id;
    }
    EXPECT_TRUE(window.IsControlEnabled(IDC_RESULT_LOAD_LOCALITY));
    EXPECT_TRUE(window.IsControlEnabled(IDC_RESULT_ALU_LOCALITY));
    EXPECT_FALSE(window.IsControlEnabled(IDC_RESULT_PREDICTED));

    std::string tail;
    MatchBenchmark("swim.ss", tail);
    ASSERT_FALSE(tail.empty());
    EXPECT_EQ(window.benchmarkTail(), tail);
    const std::string line = ComposeCommandLine(window.ReadJobSettings(), tail);
    EXPECT_EQ(window.lastCommandLine(), line);
    EXPECT_NE(line.find("1000"), std::string::npos);
    EXPECT_EQ(window.launchedLines, std::vector<std::string>{line});
}

TEST_F(StartAccepted, StepsBeforeTheLaunchLeaveTheRunStateAlone) {
    ChooseBenchmark("/w/swim.ss");
    const auto statesBefore = EnabledStates();
    Click(IDOK);
    EXPECT_FALSE(window.lastCommandLine().empty());
    EXPECT_EQ(EnabledStates(), statesBefore);
    EXPECT_TRUE(window.menuItem(0, 0)->isEnabled());
    EXPECT_FALSE(window.menuItem(0, 1)->isEnabled());
    EXPECT_FALSE(window.animation()->isPlaying());
}

TEST_F(StartAccepted, AnUnknownBenchmarkKeepsTheTailOfTheLastKnownOne) {
    ChooseBenchmark("/w/swim.ss");
    Click(IDOK);
    const std::string swimTail = window.benchmarkTail();
    ASSERT_FALSE(swimTail.empty());
    ChooseBenchmark("/w/mine.ss");
    Click(IDOK);
    EXPECT_EQ(window.benchmarkTail(), swimTail);
    const std::string line = window.lastCommandLine();
    ASSERT_GE(line.size(), swimTail.size());
    EXPECT_EQ(line.substr(line.size() - swimTail.size()), swimTail);
}

struct RouteCase {
    const char* name;
    std::function<void(WindowFixture&, CZemloDlg&)> start;
};

class StartRoutesTest : public WindowFixture, public ::testing::WithParamInterface<RouteCase> {
public:
    using WindowFixture::Combo;
    using WindowFixture::TypeIntoCombo;
};

TEST_P(StartRoutesTest, ReachOnOK) {
    GetParam().start(*this, window);
    EXPECT_EQ(services.messages, std::vector<std::string>{"Please select a benchmark."});
}

INSTANTIATE_TEST_SUITE_P(
    Routes, StartRoutesTest,
    ::testing::Values(RouteCase{"EnterOnStart",
                                [](WindowFixture&, CZemloDlg& w) {
                                    QTest::keyClick(w.control(IDOK), Qt::Key_Return);
                                }},
                      RouteCase{"EnterInAnEdit",
                                [](WindowFixture&, CZemloDlg& w) {
                                    w.FocusControl(IDC_MAX_INSTRUCTIONS);
                                    QTest::keyClick(w.control(IDC_MAX_INSTRUCTIONS), Qt::Key_Enter);
                                }},
                      RouteCase{"EnterInAComboWithoutAddingToItsList",
                                [](WindowFixture& f, CZemloDlg&) {
                                    auto& t = static_cast<StartRoutesTest&>(f);
                                    t.TypeIntoCombo(IDC_LVPT_SIZE, "100");
                                    QTest::keyClick(t.Combo(IDC_LVPT_SIZE)->lineEdit(),
                                                    Qt::Key_Return);
                                    EXPECT_EQ(t.Combo(IDC_LVPT_SIZE)->count(), 8);
                                    EXPECT_EQ(t.Combo(IDC_LVPT_SIZE)->currentText(), "100");
                                }},
                      RouteCase{"MenuStart",
                                [](WindowFixture&, CZemloDlg& w) { w.menuItem(0, 0)->trigger(); }},
                      RouteCase{"StartButton",
                                [](WindowFixture&, CZemloDlg& w) {
                                    QTest::mouseClick(w.control(IDOK), Qt::LeftButton);
                                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartAccepted, StartDoesNothingWhileARunIsWatchedByAnyRoute) {
    window.EnableComponents(false);
    window.FocusControl(IDC_RESULT_LOADS);
    QTest::keyClick(window.control(IDC_RESULT_LOADS), Qt::Key_Return);
    window.OnSimulatorStart();
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(window.launchedLines.empty());
}

TEST_F(StartAccepted, MaximumInstructionsTakesTwelveDigitsAndNoLetters) {
    QWidget* edit = window.control(IDC_MAX_INSTRUCTIONS);
    edit->setFocus();
    QTest::keyClicks(edit, "12a345678901234");
    EXPECT_EQ(window.ControlText(IDC_MAX_INSTRUCTIONS), "123456789012");
    // The benchmark field cannot be typed into.
    QWidget* benchmark = window.control(IDC_BENCHMARK);
    benchmark->setFocus();
    QTest::keyClicks(benchmark, "gcc.ss");
    EXPECT_EQ(window.ControlText(IDC_BENCHMARK), "");
}

} // namespace
