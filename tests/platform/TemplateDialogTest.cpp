// A dialog built from a small template: the controls, their places, the control interface,
// the keyboard.
#include "platform/TemplateDialog.h"
#include "NamedCase.h"

#include "platform/DialogUnits.h"
#include "platform/GroupFrame.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {
using testcases::PrintTo;
using K = ControlKind;
using namespace flags;

const DialogTemplate& TestTemplate() {
    static const DialogTemplate dialog{
        7,
        "Test",
        200,
        100,
        "MS Sans Serif",
        8,
        {
            {K::GroupBox, "Frame", 10, 5, 5, 100, 60, 0},
            {K::RadioButton, "One", 11, 10, 15, 50, 10, Group},
            {K::RadioButton, "Two", 12, 10, 28, 50, 10, Group},
            {K::Edit, "", 13, 10, 45, 60, 12, Number | Border | TabStop},
            {K::Label, "Label:", -1, 120, 5, 40, 8, Group},
            {K::ComboBox, "", 14, 120, 20, 50, 60, TabStop},
            {K::PushButton, "Push", 15, 120, 40, 40, 14, TabStop},
            {K::CheckBox, "Hidden", 16, 120, 60, 40, 10, Hidden | TabStop},
            {K::Edit, "", 17, 120, 75, 60, 12, Disabled | ReadOnly | TabStop},
        }};
    return dialog;
}

class RecordingDialog : public TemplateDialog {
public:
    RecordingDialog() : TemplateDialog(TestTemplate()) {}
    std::vector<int> commands;
    int accepts = 0;
    int rejects = 0;

protected:
    void OnCommand(int id) override { commands.push_back(id); }
    void accept() override { ++accepts; }
    void reject() override { ++rejects; }
};

class TemplateDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.InitDialog();
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    RecordingDialog dialog;
};

TEST_F(TemplateDialogTest, EveryControlIsADirectChildInTemplateOrderAtItsDialogUnitPlace) {
    const auto& rows = TestTemplate().controls;
    ASSERT_EQ(dialog.controls().size(), rows.size());
    const DialogBaseUnits units = dialog.baseUnits();
    for (size_t i = 0; i < rows.size(); ++i) {
        QWidget* widget = dialog.controls()[i];
        EXPECT_EQ(widget->parentWidget(), &dialog) << i;
        const QRect expected =
            MapDialogRect(units, rows[i].x, rows[i].y, rows[i].width, rows[i].height);
        EXPECT_EQ(widget->pos(), expected.topLeft()) << i;
        EXPECT_EQ(widget->width(), expected.width()) << i;
        if (rows[i].kind != K::ComboBox) {
            EXPECT_EQ(widget->height(), expected.height()) << i;
        }
    }
    // The frame is a sibling: disabling it leaves what it frames usable.
    dialog.EnableControl(10, false);
    EXPECT_TRUE(dialog.IsControlEnabled(11));
    EXPECT_TRUE(qobject_cast<GroupFrame*>(dialog.control(10)));
}

TEST_F(TemplateDialogTest, FlagsGiveVisibilityEnabledStateAndFocus) {
    EXPECT_TRUE(dialog.control(16)->isHidden());
    EXPECT_FALSE(dialog.control(16)->isVisible());
    EXPECT_FALSE(dialog.IsControlEnabled(17));
    EXPECT_TRUE(static_cast<QLineEdit*>(dialog.control(17))->isReadOnly());
    // Radio buttons and frames take no Tab focus; the first tab stop has the focus.
    EXPECT_FALSE(dialog.control(11)->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(dialog.control(10)->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(QApplication::focusWidget(), dialog.control(13));
}

TEST_F(TemplateDialogTest, TabFollowsTheTemplateSkippingWhatCannotTakeIt) {
    std::vector<QWidget*> visited;
    for (int i = 0; i < 3; ++i) {
        visited.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // 13, then the combo (its line edit has the focus proxy), then the push button, then
    // round again: hidden 16 and disabled 17 are skipped.
    ASSERT_EQ(visited.size(), 3u);
    EXPECT_EQ(visited[0], dialog.control(13));
    EXPECT_TRUE(visited[1] == dialog.control(14) ||
                visited[1]->parentWidget() == dialog.control(14));
    EXPECT_EQ(visited[2], dialog.control(15));
    EXPECT_EQ(QApplication::focusWidget(), dialog.control(13));
}

TEST_F(TemplateDialogTest, ClicksReachOnCommandWithTheControlsId) {
    QTest::mouseClick(dialog.control(12), Qt::LeftButton);
    QTest::mouseClick(dialog.control(15), Qt::LeftButton);
    EXPECT_EQ(dialog.commands, (std::vector<int>{12, 15}));
}

TEST_F(TemplateDialogTest, ARadioButtonIsAGroupOfItsOwnAndAClickOnlyChecksIt) {
    QTest::mouseClick(dialog.control(11), Qt::LeftButton);
    QTest::mouseClick(dialog.control(12), Qt::LeftButton);
    EXPECT_EQ(dialog.GetCheck(11), 1);
    EXPECT_EQ(dialog.GetCheck(12), 1);
    QTest::mouseClick(dialog.control(12), Qt::LeftButton);
    EXPECT_EQ(dialog.GetCheck(12), 1);
    dialog.SetCheck(12, false);
    EXPECT_EQ(dialog.GetCheck(12), 0);
}

TEST_F(TemplateDialogTest, DigitsOnlyEditRefusesEverythingButAsciiDigits) {
    auto* edit = static_cast<QLineEdit*>(dialog.control(13));
    edit->setFocus();
    QTest::keyClicks(edit, "1a2-3 ");
    // An Arabic-Indic three is a digit to Unicode, not to this field.
    QKeyEvent arabicThree(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                          QString(QChar(0x0663)));
    QApplication::sendEvent(edit, &arabicThree);
    QTest::keyClicks(edit, "x4");
    EXPECT_EQ(edit->text(), "1234");
}

TEST_F(TemplateDialogTest, BytesWrittenAreTheBytesReadBack) {
    // Not valid UTF-8: the widget shows replacement characters, the bytes survive.
    const std::string latin1 = "caf\xE9 \xFF\x80";
    dialog.SetControlText(13, latin1);
    EXPECT_EQ(dialog.ControlText(13), latin1);
    dialog.SetControlText(14, latin1);
    EXPECT_EQ(dialog.ControlText(14), latin1);
    // Once the user changes the text, the text is what the widget holds.
    static_cast<QLineEdit*>(dialog.control(13))->setText(QString::fromUtf8("\u00e9t\u00e9"));
    EXPECT_EQ(dialog.ControlText(13), "\xC3\xA9t\xC3\xA9");
}

TEST_F(TemplateDialogTest, EnterIsAcceptEscapeIsRejectAndAFocusedPushButtonTakesEnter) {
    dialog.control(13)->setFocus();
    QTest::keyClick(dialog.control(13), Qt::Key_Return);
    QTest::keyClick(dialog.control(13), Qt::Key_Escape);
    EXPECT_EQ(dialog.accepts, 1);
    EXPECT_EQ(dialog.rejects, 1);
    dialog.control(15)->setFocus();
    QTest::keyClick(dialog.control(15), Qt::Key_Enter);
    EXPECT_EQ(dialog.accepts, 1);
    EXPECT_EQ(dialog.commands, std::vector<int>{15});
}

struct SelectCase {
    const char* name;
    int startAfter;
    const char* prefix;
    bool found;
    int index;
};

class SelectStringTest : public TemplateDialogTest,
                         public ::testing::WithParamInterface<SelectCase> {};

TEST_P(SelectStringTest, FirstItemBeginningWithThePrefix) {
    for (const char* item : {"4", "8", "16", "32", "Abc", "256", "abd"}) {
        dialog.AddComboString(14, item);
    }
    auto* combo = static_cast<QComboBox*>(dialog.control(14));
    combo->setCurrentIndex(1);
    const SelectCase& c = GetParam();
    EXPECT_EQ(dialog.SelectString(14, c.startAfter, c.prefix), c.found);
    EXPECT_EQ(combo->currentIndex(), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Searches, SelectStringTest,
    ::testing::Values(SelectCase{"FromTheStart", -1, "2", true, 5},
                      SelectCase{"CaseIgnored", -1, "AB", true, 4},
                      SelectCase{"StartsAfterTheGivenItem", 4, "ab", true, 6},
                      SelectCase{"WrapsAroundToTheGivenItemLast", 0, "4", true, 0},
                      SelectCase{"WrapsPastTheEnd", 5, "1", true, 2},
                      SelectCase{"NoMatchKeepsTheSelection", -1, "100", false, 1},
                      SelectCase{"WholeTextMustBeginTheItem", -1, "166", false, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TemplateDialogTest, MenuBarSitsAboveTheClientAreaAndItemsGoByPosition) {
    const QSize before = dialog.size();
    const QPoint editBefore = dialog.control(13)->pos();
    static const MenuTemplate menu{
        1, {{"&File", {{"&Open", 500}, {"&Close", 501}}}, {"&Help", {{"&About", 502}}}}};
    dialog.SetMenu(menu);
    const int menuHeight = dialog.menuBar()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(dialog.size(), before + QSize(0, menuHeight));
    EXPECT_EQ(dialog.control(13)->pos(), editBefore + QPoint(0, menuHeight));
    EXPECT_EQ(dialog.menuItem(0, 1)->text(), "&Close");
    EXPECT_EQ(dialog.menuItem(2, 0), nullptr);
    dialog.EnableMenuItemByPosition(0, 1, false);
    EXPECT_FALSE(dialog.menuItem(0, 1)->isEnabled());
    EXPECT_TRUE(dialog.menuItem(0, 0)->isEnabled());
    dialog.menuItem(1, 0)->trigger();
    EXPECT_EQ(dialog.commands, std::vector<int>{502});
}

TEST(TemplateDialogEdge, ClientEdgeFramesTheClientAreaWithoutMovingItsContents) {
    DialogTemplate edged = TestTemplate();
    edged.clientEdge = true;
    TemplateDialog plain(TestTemplate());
    TemplateDialog framed(edged);
    EXPECT_EQ(framed.size(), plain.size() + QSize(4, 4));
    EXPECT_EQ(framed.clientOrigin(), QPoint(2, 2));
    for (size_t i = 0; i < plain.controls().size(); ++i) {
        EXPECT_EQ(framed.controls()[i]->pos(), plain.controls()[i]->pos() + QPoint(2, 2));
    }
}

struct UnitsCase {
    const char* name;
    DialogBaseUnits units;
    int x, y, w, h;
    QRect expected;
};

class DialogUnitsTest : public ::testing::TestWithParam<UnitsCase> {};

TEST_P(DialogUnitsTest, ConvertsWithRounding) {
    const UnitsCase& c = GetParam();
    EXPECT_EQ(MapDialogRect(c.units, c.x, c.y, c.w, c.h), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, DialogUnitsTest,
    ::testing::Values(UnitsCase{"Exact", {8, 16}, 4, 8, 40, 16, QRect(8, 16, 80, 32)},
                      UnitsCase{"RoundsHalfUp", {7, 13}, 2, 4, 23, 19, QRect(4, 7, 40, 31)},
                      UnitsCase{"RoundsToNearest", {7, 13}, 1, 1, 1, 1, QRect(2, 2, 2, 2)},
                      UnitsCase{"Zero", {7, 13}, 0, 0, 0, 0, QRect(0, 0, 0, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DialogBaseUnits, ComeFromTheAlphabetsAverageAndTheFontsHeight) {
    const QFont font(QStringLiteral("MS Sans Serif"), 8);
    const QFontMetrics metrics(font);
    const DialogBaseUnits units = BaseUnitsOf(font);
    const int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(units.x, (alphabet / 26 + 1) / 2);
    EXPECT_EQ(units.y, metrics.height());
    EXPECT_GT(units.x, 3);
}

} // namespace
