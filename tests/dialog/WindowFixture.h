// The main window on the offscreen platform, shown and active, with fake modal services and
// an exit that is recorded instead of ending the test program.
#pragma once

#include "FakeDialogServices.h"

#include "dialog/ZemloDlg.h"
#include "res/ControlIds.h"
#include "res/Templates.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

// Records the order of Stop's process work against the window's state.
class ObservedZemloDlg : public CZemloDlg {
public:
    using CZemloDlg::CZemloDlg;
    std::vector<std::string> events;
    std::vector<std::string> launchedLines;

    void StopRun() override {
        events.push_back(IsControlEnabled(ids::IDOK) ? "StopRun(idle)" : "StopRun(running)");
        CZemloDlg::StopRun();
    }
    // Start's steps up to the composed line are tested here; the launch itself, with real
    // processes, in the window run tests.
    void LaunchSimulator(const std::string& line) override { launchedLines.push_back(line); }
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetProcessExit([this](int status) {
            exitStatuses.push_back(status);
            window.events.push_back("exit");
        });
        window.InitDialog();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Every control with an id, by id: enabled or not.
    std::map<int, bool> EnabledStates() const {
        std::map<int, bool> states;
        for (const ControlTemplate& row : MainDialogTemplate().controls) {
            if (row.id != -1) {
                states[row.id] = window.IsControlEnabled(row.id);
            }
        }
        return states;
    }

    // The enabled states the template gives: the idle window in value prediction.
    static std::map<int, bool> OpeningStates() {
        std::map<int, bool> states;
        for (const ControlTemplate& row : MainDialogTemplate().controls) {
            if (row.id != -1) {
                states[row.id] = !(row.style & flags::Disabled);
            }
        }
        return states;
    }

    void Click(int id) {
        QWidget* widget = window.control(id);
        ASSERT_TRUE(widget && widget->isVisible()) << id;
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(5, widget->height() / 2));
    }

    QComboBox* Combo(int id) const { return static_cast<QComboBox*>(window.control(id)); }

    // Types into a combo's field as the user does, replacing what it held.
    void TypeIntoCombo(int id, const QString& text) {
        QLineEdit* edit = Combo(id)->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Chooses a benchmark through Browse.
    void ChooseBenchmark(const std::string& path) {
        services.fileAnswers.push_back(path);
        Click(ids::IDC_BROWSE);
    }

    FakeDialogServices services;
    ObservedZemloDlg window{services};
    std::vector<int> exitStatuses;
};
