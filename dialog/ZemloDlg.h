// The main window: the job's options, Start and Stop, the results, and the commands around
// them. Its state is the state of its controls; every rule reads check marks back from them.
#pragma once

#include "platform/TemplateDialog.h"

#include "job/JobSettings.h"

#include <QIcon>
#include <functional>
#include <string>

class AnimationControl;
class DialogServices;
class QMenu;

class CZemloDlg : public TemplateDialog {
    Q_OBJECT
public:
    explicit CZemloDlg(DialogServices& services, QWidget* parent = nullptr);

    // The data exchange: controls to members when saveAndValidate, members to controls
    // otherwise.
    void DoDataExchange(bool saveAndValidate);
    JobSettings ReadJobSettings();

    // Run state and result fields.
    void EnableComponents(bool bEnable);
    void EnablePredictionResults(bool bEnable);

    // The handlers of the radio buttons and check boxes.
    void OnLocalityRadio();
    void OnPredictionRadio();
    void OnLocalityHistoryCheck();
    void OnPredictionHistoryCheck();
    void OnIncrementalRadio();
    void OnContextualRadio();
    void OnHybridRadio();
    void OnInstructionAddressRadio();
    void OnDataAddressRadio();
    void OnDirectMappedRadio();
    void OnAssociativeRadio();

    // The controls a run switches off when it starts and on again when it ends.
    void DisableRunStartList();
    void EnableRunEndList();
    // OnPredictionRadio while "Value Prediction" is checked, OnLocalityRadio otherwise.
    void ApplyModeRule();
    // Stop's return to the idle window: run state, run-end list, mode rule, frame 0.
    void RestoreIdleWindow();

    // Commands.
    void OnOK();
    void OnCancel();
    void OnSimulatorStart();
    void OnSimulatorStop();
    void OnFileDialogButton();
    void OnOpenRegsFile();
    void OnAbout();
    void OnSysCommand(unsigned nID);
    void OnClose();
    void OnWindowClose();
    void OnExit();
    QIcon OnQueryDragIcon() const { return m_hIcon; }

    // The launch of the composed line and the process work of Stop (steps 1 to 4).
    virtual void LaunchSimulator(const std::string& strCommandLine);
    virtual void StopRun();

    AnimationControl* animation() const;
    QMenu* systemMenu() const { return m_systemMenu; }
    const std::string& lastCommandLine() const { return m_lastCommandLine; }
    const std::string& benchmarkTail() const { return m_benchmarkTail; }
    // How the process ends after an exit command; tests replace it to stay alive.
    void SetProcessExit(std::function<void(int)> exitProcess) {
        m_exitProcess = std::move(exitProcess);
    }
    // Commands the window has no entry for go here (the application's help command).
    void SetCommandFallback(std::function<void(int)> fallback) {
        m_commandFallback = std::move(fallback);
    }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id) override;

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnPaint();
    void EnableAll(std::initializer_list<int> controlIds, bool enable);
    void UncheckAll(std::initializer_list<int> controlIds);
    void ExchangeComboText(int id, std::string& member, bool saveAndValidate);
    void BuildSystemMenu();
    void ExitProcess();

    DialogServices& m_services;
    QIcon m_hIcon;
    QMenu* m_systemMenu = nullptr;

    // The exchanged members.
    std::string m_strBenchmark;
    std::string m_strMaxInstructions;
    bool m_bUseLocalityHistory = false;
    std::string m_strLocalityHistory;
    std::string m_strLvptSize;
    std::string m_strPredictionHistory;
    std::string m_strPatternSize;

    std::string m_benchmarkTail;
    std::string m_lastCommandLine;
    std::function<void(int)> m_exitProcess;
    std::function<void(int)> m_commandFallback;
};
