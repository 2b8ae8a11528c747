// Stop at idle, the exit paths, the About box from both menus, the system menu's commands,
// and the hidden controls through all of it.
#include "NamedCase.h"
#include "WindowFixture.h"

#include "app/AboutDlg.h"
#include "platform/AnimationControl.h"
#include "platform/DialogServices.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <functional>

namespace {
using testcases::PrintTo;
using namespace ids;

using Stop = WindowFixture;

TEST_F(Stop, EscapeAtIdleRestoresTheIdleWindowAndLeavesItOpen) {
    Click(IDC_LOCALITY_RADIO);
    const auto states = EnabledStates();
    QTest::keyClick(window.control(IDOK), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(exitStatuses.empty());
    EXPECT_EQ(window.events, std::vector<std::string>{"StopRun(idle)"});
    EXPECT_EQ(EnabledStates(), states);
}

TEST_F(Stop, ProcessWorkComesBeforeTheWindowIsRestored) {
    window.EnableComponents(false);
    window.DisableRunStartList();
    Click(IDCANCEL);
    EXPECT_EQ(window.events, std::vector<std::string>{"StopRun(running)"});
    EXPECT_EQ(EnabledStates(), OpeningStates());
    EXPECT_EQ(window.animation()->currentFrame(), 0);
}

TEST_F(Stop, MenuStopRunsStop) {
    window.EnableComponents(false);
    window.menuItem(0, 1)->trigger();
    EXPECT_EQ(window.events, std::vector<std::string>{"StopRun(running)"});
    EXPECT_TRUE(window.IsControlEnabled(IDOK));
}

struct ExitCase {
    const char* name;
    std::function<void(CZemloDlg&)> exit;
};

class ExitPathsTest : public WindowFixture, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitPathsTest, StopThenExitStatusZero) {
    window.EnableComponents(false);
    window.DisableRunStartList();
    GetParam().exit(window);
    EXPECT_EQ(exitStatuses, std::vector<int>{0});
    EXPECT_EQ(window.events, (std::vector<std::string>{"StopRun(running)", "exit"}));
    EXPECT_EQ(EnabledStates(), OpeningStates());
}

QAction* SystemMenuAction(CZemloDlg& window, unsigned id) {
    for (QAction* action : window.systemMenu()->actions()) {
        if (!action->isSeparator() && action->data().toUInt() == id) {
            return action;
        }
    }
    return nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExitPathsTest,
    ::testing::Values(
        ExitCase{"CloseBox", [](CZemloDlg& w) { w.close(); }},
        ExitCase{"MenuExit", [](CZemloDlg& w) { w.menuItem(1, 0)->trigger(); }},
        ExitCase{"ExitButton",
                 [](CZemloDlg& w) { QTest::mouseClick(w.control(IDC_EXIT), Qt::LeftButton); }},
        ExitCase{"SystemMenuClose", [](CZemloDlg& w) { SystemMenuAction(w, SC_CLOSE)->trigger(); }},
        ExitCase{"SysCommandCloseWithLowBits", [](CZemloDlg& w) { w.OnSysCommand(SC_CLOSE | 3); }}),
    [](const auto& info) { return std::string(info.param.name); });

using AboutBox = WindowFixture;

void ExpectAboutBox(const FakeDialogServices& services) {
    ASSERT_EQ(services.modalDialogs.size(), 1u);
    const ShownDialog& about = services.modalDialogs.front();
    EXPECT_EQ(about.typeName, "CAboutDlg");
    EXPECT_EQ(about.title, "About Zemlo");
    ASSERT_GE(about.texts.size(), 5u);
    EXPECT_EQ(about.texts[1], "Zemlo ver. 1.0");
    EXPECT_EQ(about.texts[4], "OK");
}

TEST_F(AboutBox, FromTheHelpMenu) {
    window.menuItem(2, 0)->trigger();
    ExpectAboutBox(services);
}

TEST_F(AboutBox, FromTheSystemMenuPopupOnTheWindowsBackground) {
    // A point of the client area where no control stands (frames and labels let clicks by).
    const QPoint background = window.control(IDC_BROWSE)->geometry().topLeft() - QPoint(0, 20);
    ASSERT_EQ(window.childAt(background), nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, background, window.mapToGlobal(background));
    QApplication::sendEvent(&window, &event);
    ASSERT_TRUE(window.systemMenu()->isVisible());
    QStringList captions;
    for (QAction* action : window.systemMenu()->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(captions, (QStringList{"Mi&nimize", "&Close", "-", "&About Zemlo..."}));
    SystemMenuAction(window, IDM_ABOUTBOX)->trigger();
    window.systemMenu()->hide();
    ExpectAboutBox(services);
}

TEST_F(AboutBox, NotFromARightClickOnAControl) {
    QWidget* browse = window.control(IDC_BROWSE);
    const QPoint inside(3, 3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, browse->mapToGlobal(inside));
    QApplication::sendEvent(browse, &event);
    EXPECT_FALSE(window.systemMenu()->isVisible());
}

TEST_F(AboutBox, SysCommandIgnoresTheLowFourBits) {
    window.OnSysCommand(IDM_ABOUTBOX | 0xF);
    ExpectAboutBox(services);
    services.modalDialogs.clear();
    window.OnSysCommand(IDM_ABOUTBOX + 0x10); // 32: another command altogether
    EXPECT_TRUE(services.modalDialogs.empty());
}

TEST_F(AboutBox, MinimizeFromTheSystemMenu) {
    window.OnSysCommand(SC_MINIMIZE);
    EXPECT_TRUE(window.isMinimized());
    EXPECT_TRUE(exitStatuses.empty());
}

TEST_F(AboutBox, HelpKeyGoesToTheApplicationsHelpCommand) {
    std::vector<int> routed;
    window.SetCommandFallback([&](int id) { routed.push_back(id); });
    QTest::keyClick(window.control(IDOK), Qt::Key_F1);
    EXPECT_EQ(routed, std::vector<int>{ID_HELP});
}

// The real About box, run modally and closed by the keyboard.
TEST(AboutBoxForReal, ShowsPictureTextsAndIconAndClosesWithEscape) {
    QtDialogServices services;
    CAboutDlg about;
    QString title;
    QSize picture;
    bool iconShown = false;
    QTimer::singleShot(0, [&] {
        title = about.windowTitle();
        const auto* banner = qobject_cast<QLabel*>(about.controls()[0]);
        picture = banner->pixmap().size();
        iconShown = !qobject_cast<QLabel*>(about.controls()[3])->pixmap().isNull();
        QTest::keyClick(&about, Qt::Key_Escape);
    });
    EXPECT_EQ(services.RunModal(about), QDialog::Rejected);
    EXPECT_EQ(title, "About Zemlo");
    EXPECT_EQ(picture, QSize(278, 158));
    EXPECT_TRUE(iconShown);
}

using HiddenControls = WindowFixture;

TEST_F(HiddenControls, AreNeverShownWhateverTheWindowDoes) {
    const std::vector<int> hidden{IDC_PREDICTION_USE_HISTORY,   IDC_HYBRID_PREDICTION,
                                  IDC_PREDICTION_HISTORY,       IDC_PATTERN_SIZE,
                                  IDC_LABEL_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
                                  IDC_GROUP_PREDICTION_HISTORY};
    const auto expectHidden = [&](const char* after) {
        for (int id : hidden) {
            EXPECT_FALSE(window.control(id)->isVisible()) << id << " after " << after;
        }
    };
    for (int id :
         {IDC_LOCALITY_RADIO, IDC_LOCALITY_USE_HISTORY, IDC_LOCALITY_ON_INSTRUCTIONS,
          IDC_LOCALITY_ON_REGISTERS, IDC_DATA_ADDRESS, IDC_PREDICTION_RADIO, IDC_DIRECT_MAPPED}) {
        Click(id);
        expectHidden("a click");
    }
    window.SetCheck(IDC_PREDICTION_USE_HISTORY, true);
    window.OnPredictionHistoryCheck();
    window.OnHybridRadio();
    ChooseBenchmark("/w/swim.ss");
    expectHidden("Browse");
    Click(IDOK);
    window.EnableComponents(false);
    window.DisableRunStartList();
    expectHidden("the run");
    Click(IDCANCEL);
    window.EnablePredictionResults(false);
    expectHidden("Stop");
}

} // namespace
