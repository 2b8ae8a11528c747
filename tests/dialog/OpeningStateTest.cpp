// The window as it opens: its frame, its controls and their initial states.
#include "WindowFixture.h"

#include "platform/AnimationControl.h"
#include "platform/PictureButton.h"

#include <QMenuBar>
#include <QRadioButton>
#include <algorithm>

namespace {
using namespace ids;

using OpeningState = WindowFixture;

TEST_F(OpeningState, FrameIsFixedSizeMinimizableNotMaximizableWithTitleAndIcon) {
    EXPECT_EQ(window.windowTitle(),
              "Simulation Tool for extracting the locality degree of Instruction/Registers. "
              "Last Zemlo.");
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.OnQueryDragIcon().cacheKey(), window.windowIcon().cacheKey());
}

TEST_F(OpeningState, EnabledStatesAreTheTemplatesAndNoRuleHasRun) {
    EXPECT_EQ(EnabledStates(), OpeningStates());
    EXPECT_TRUE(window.IsControlEnabled(IDOK));
    EXPECT_FALSE(window.IsControlEnabled(IDCANCEL));
}

TEST_F(OpeningState, DefaultChecksAndSelections) {
    for (int id : {IDC_PREDICTION_RADIO, IDC_ASSOCIATIVE, IDC_INSTRUCTION_ADDRESS,
                   IDC_LOCALITY_ON_REGISTERS}) {
        EXPECT_EQ(window.GetCheck(id), 1) << id;
    }
    for (int id :
         {IDC_LOCALITY_RADIO, IDC_LOCALITY_USE_HISTORY, IDC_DATA_ADDRESS, IDC_DIRECT_MAPPED,
          IDC_PREDICTION_USE_HISTORY, IDC_LOCALITY_ON_INSTRUCTIONS, IDC_HYBRID_PREDICTION}) {
        EXPECT_EQ(window.GetCheck(id), 0) << id;
    }
    EXPECT_EQ(window.ControlText(IDC_LOCALITY_HISTORY), "16");
    EXPECT_EQ(window.ControlText(IDC_LVPT_SIZE), "512");
    EXPECT_EQ(window.ControlText(IDC_PATTERN_SIZE), "4");
    EXPECT_EQ(window.ControlText(IDC_PREDICTION_HISTORY), "256");
    EXPECT_EQ(window.ControlText(IDC_BENCHMARK), "");
    EXPECT_EQ(window.ControlText(IDC_MAX_INSTRUCTIONS), "");
    EXPECT_EQ(static_cast<QLineEdit*>(window.control(IDC_MAX_INSTRUCTIONS))->maxLength(), 12);
}

struct ListCase {
    int id;
    QStringList items;
};

TEST_F(OpeningState, ComboListsInTheirOrderAndNotEditableIntoTheList) {
    const ListCase lists[] = {
        {IDC_LOCALITY_HISTORY, {"4", "8", "16", "32", "64", "128", "256", "512", "1024"}},
        {IDC_LVPT_SIZE, {"8", "16", "32", "64", "128", "256", "512", "1024"}},
        {IDC_PREDICTION_HISTORY, {"8", "16", "32", "64", "128", "256", "512", "1024"}},
        {IDC_PATTERN_SIZE, {"1", "4", "8", "12"}},
    };
    for (const ListCase& list : lists) {
        QComboBox* combo = Combo(list.id);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
        EXPECT_EQ(items, list.items) << list.id;
        EXPECT_TRUE(combo->isEditable());
        EXPECT_EQ(combo->insertPolicy(), QComboBox::NoInsert);
    }
}

TEST_F(OpeningState, MenuBarWithStopGrayed) {
    QMenuBar* bar = window.menuBar();
    ASSERT_NE(bar, nullptr);
    QStringList popups;
    for (QAction* popup : bar->actions()) {
        popups << popup->text();
    }
    EXPECT_EQ(popups, (QStringList{"&Simulator", "&Window", "&Help"}));
    EXPECT_EQ(window.menuItem(0, 0)->text(), "Star&t");
    EXPECT_EQ(window.menuItem(0, 1)->text(), "Sto&p");
    EXPECT_EQ(window.menuItem(1, 0)->text(), "&Exit");
    EXPECT_EQ(window.menuItem(2, 0)->text(), "&About");
    EXPECT_TRUE(window.menuItem(0, 0)->isEnabled());
    EXPECT_FALSE(window.menuItem(0, 1)->isEnabled());
    EXPECT_TRUE(window.menuItem(1, 0)->isEnabled());
    EXPECT_TRUE(window.menuItem(2, 0)->isEnabled());
}

TEST_F(OpeningState, EveryControlIsADirectChildAndTheHiddenOnesAreHidden) {
    const std::vector<int> hidden{IDC_PREDICTION_USE_HISTORY,   IDC_HYBRID_PREDICTION,
                                  IDC_PREDICTION_HISTORY,       IDC_PATTERN_SIZE,
                                  IDC_LABEL_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
                                  IDC_GROUP_PREDICTION_HISTORY};
    ASSERT_EQ(window.controls().size(), MainDialogTemplate().controls.size());
    for (QWidget* widget : window.controls()) {
        EXPECT_EQ(widget->parentWidget(), &window);
        const int id = widget->property("controlId").toInt();
        const bool shouldHide = std::find(hidden.begin(), hidden.end(), id) != hidden.end();
        EXPECT_EQ(widget->isVisible(), !shouldHide) << id;
    }
}

TEST_F(OpeningState, PictureButtonsTakeTheirUpFacesSizeAndStartHasTheFocus) {
    const QPoint origin = window.clientOrigin();
    EXPECT_GT(origin.y(), window.menuBar()->height()); // below the menu, inside the edge
    for (const ControlTemplate& row : MainDialogTemplate().controls) {
        if (row.kind != ControlKind::PictureButton) {
            continue;
        }
        QWidget* button = window.control(row.id);
        const QRect placed = MapDialogRect(window.baseUnits(), row.x, row.y, row.width, row.height);
        EXPECT_EQ(button->geometry(), QRect(placed.topLeft() + origin, QSize(30, 30))) << row.id;
    }
    auto* start = static_cast<PictureButton*>(window.control(IDOK));
    auto* stop = static_cast<PictureButton*>(window.control(IDCANCEL));
    auto* exit = static_cast<PictureButton*>(window.control(IDC_EXIT));
    EXPECT_TRUE(start->hasFocus());
    EXPECT_EQ(start->ChosenFace(), PictureButton::Focused);
    EXPECT_EQ(stop->ChosenFace(), PictureButton::Disabled);
    EXPECT_EQ(exit->ChosenFace(), PictureButton::Up);
    EXPECT_TRUE(exit->face(PictureButton::Disabled).isNull());
}

TEST_F(OpeningState, TabOrderIsTheTablesAndRadiosAndFramesTakeNoTab) {
    std::vector<QWidget*> expected;
    for (QWidget* widget : window.controls()) {
        const bool radio = qobject_cast<QRadioButton*>(widget) != nullptr;
        if (radio || widget->focusPolicy() == Qt::NoFocus) {
            EXPECT_FALSE(widget->focusPolicy() & Qt::TabFocus);
            continue;
        }
        if (widget->isEnabled() && widget->isVisible()) {
            expected.push_back(widget);
        }
    }
    std::vector<QWidget*> visited;
    for (size_t i = 0; i < expected.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        // An editable combo's field stands for the combo.
        if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) {
            focus = focus->parentWidget();
        }
        visited.push_back(focus);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(OpeningState, MissingClipLeavesTheAnimationEmptyAndSilent) {
    auto* animation = window.animation();
    EXPECT_FALSE(animation->isOpen()); // the tests run where no zemlo.avi lies
    animation->Play(0, 10, -1);
    EXPECT_FALSE(animation->isPlaying());
}

} // namespace
