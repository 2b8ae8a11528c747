// A real main window in a scratch working directory beside a stand-in simulator, with the
// modal services answered by the test.
#pragma once

#include "../run/ProcessTestSupport.h"
#include "dialog/ZemloDlg.h"
#include "platform/AnimationControl.h"
#include "platform/DialogServices.h"
#include "res/ControlIds.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <deque>
#include <functional>

namespace testsupport {

class AnsweringServices : public DialogServices {
public:
    void ShowMessage(QWidget*, const std::string& text) override {
        messages.push_back(text);
        if (whileMessageShown)
            whileMessageShown();
    }
    std::optional<std::string> ChooseFileToOpen(QWidget*, const std::string&) override {
        if (chosenFiles.empty())
            return std::nullopt;
        std::string next = chosenFiles.front();
        chosenFiles.pop_front();
        return next;
    }
    int RunModal(QDialog&) override {
        ++modalRuns;
        if (whileModal)
            whileModal();
        return QDialog::Accepted;
    }
    void OpenInTextEditor(const std::string& path) override { editorPaths.push_back(path); }

    std::vector<std::string> messages;
    std::deque<std::string> chosenFiles;
    std::vector<std::string> editorPaths;
    int modalRuns = 0;
    std::function<void()> whileModal;
    std::function<void()> whileMessageShown;
};

// Runs the event loop (as a modal box would) until the condition holds or time runs out.
template <typename Condition> bool PumpUntil(Condition condition, int milliseconds = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

class WindowRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("STANDIN_SLEEP_MS");
        ::unsetenv("STANDIN_EXIT");
        // The window opens its clip from the working directory, as it does beside the
        // simulators.
        ASSERT_EQ(std::system(MAKE_ZEMLO_AVI " zemlo.avi"), 0);
        // The input the catalogue's tail of applu redirects from.
        WriteFile("applu.in", "input of applu\n");
        dialog_ = std::make_unique<CZemloDlg>(services_);
        dialog_->SetProcessExit([this](int status) { exitStatuses_.push_back(status); });
        dialog_->InitDialog();
    }
    void TearDown() override {
        dialog_->OnCancel(); // no stand-in outlives a test
        dialog_.reset();
    }

    // The stand-in under the simulator's name, and the benchmark chosen through Browse.
    void InstallSimulator(const std::string& name) {
        std::filesystem::copy_file(STANDIN_SIMULATOR, name);
    }
    void ChooseBenchmark(const std::string& name) {
        services_.chosenFiles.push_back((dir_.path() / name).string());
        dialog_->OnFileDialogButton();
    }
    void WriteResults(const std::string& content) { WriteFile("standin-results.txt", content); }

    bool IsIdle() const {
        return dialog_->IsControlEnabled(ids::IDOK) && !dialog_->IsControlEnabled(ids::IDCANCEL);
    }
    bool IsRunning() const {
        return !dialog_->IsControlEnabled(ids::IDOK) && dialog_->IsControlEnabled(ids::IDCANCEL);
    }
    bool WaitForIdle() {
        return PumpUntil([this] { return IsIdle(); });
    }
    pid_t StandInPid() const { return pid_t(std::atol(ReadFile("standin-pid.txt").c_str())); }

    ScratchDirectory dir_;
    AnsweringServices services_;
    std::unique_ptr<CZemloDlg> dialog_;
    std::vector<int> exitStatuses_;
};

} // namespace testsupport
