// The window's side of a simulator run: the launch of the composed line, the monitor thread
// that sees the simulator end, and the process work of Stop. The references of the run are
// process-wide (run/RunReferences.h); the monitor hands the end of a run to the window's
// thread, where a Stop that came first has already made it stale.
#include "dialog/ZemloDlg.h"

#include "platform/AnimationControl.h"
#include "platform/DialogServices.h"
#include "res/ControlIds.h"
#include "results/StatisticsFile.h"
#include "run/BatchScript.h"
#include "run/ChildReaper.h"
#include "run/FileIdentity.h"
#include "run/RunReferences.h"
#include "run/SimulatorDiscovery.h"

#include <QMetaObject>
#include <atomic>

namespace {

constexpr const char* kScript = "sim.bat";
constexpr const char* kStatistics = "simout.res";
constexpr const char* kLaunchFailed = "Program execution failed. Please try again.";
// Termination of a process we hold a pidfd to cannot fail but for its being gone, which
// counts as success; the bound only keeps Stop from ever spinning.
constexpr int kTerminationAttempts = 100;

// Which launch the window is watching. Stop and every launch move it on, so that the end of
// a run queued before a Stop finds itself stale and leaves the window alone.
std::atomic<unsigned> watchedRun{0};
// The statistics file as it was before the run: unchanged afterwards means no new results.
FileIdentity statisticsBeforeRun;

void Terminate(const ProcessRef& process) {
    for (int i = 0; i < kTerminationAttempts && !process.terminate(); ++i) {
    }
}

void ShowStatistics(CZemloDlg* dlg) {
    if (IdentifyFile(kStatistics) == statisticsBeforeRun)
        return; // an old file, or none: this run's fields stay empty
    const SimulationMode mode = dlg->GetCheck(ids::IDC_PREDICTION_RADIO)
                                    ? SimulationMode::ValuePrediction
                                    : SimulationMode::ValueLocality;
    const bool onInstructions = dlg->GetCheck(ids::IDC_LOCALITY_ON_INSTRUCTIONS) == 1;
    ReadStatisticsFile(mode, onInstructions,
                       [dlg](int id, const std::string& text) { dlg->SetControlText(id, text); });
}

// The monitor's steps after the wait, on the window's thread.
void CompleteRun(CZemloDlg* dlg, unsigned run) {
    if (run != watchedRun.load())
        return; // stopped meanwhile
    dlg->EnableRunEndList();
    dlg->ApplyModeRule();
    ShowStatistics(dlg);
    dlg->EnableComponents(true);
    dlg->animation()->Seek(0);
}

} // namespace

// The monitor thread: waits for the watched simulator to end, then hands the rest to the
// window's thread, where the controls live.
uint32_t ThreadFunc(void* lpParam) {
    auto* dlg = static_cast<CZemloDlg*>(lpParam);
    if (!hThread.WaitForProcessEnd(hProc))
        return 0; // stopped
    const unsigned run = watchedRun.load();
    QMetaObject::invokeMethod(
        dlg, [dlg, run] { CompleteRun(dlg, run); }, Qt::QueuedConnection);
    return 0;
}

void CZemloDlg::LaunchSimulator(const std::string& strCommandLine) {
    // A run that ended by itself still holds its references; they go before new ones come.
    hThread.Release();
    hProc.release();
    statisticsBeforeRun = IdentifyFile(kStatistics);

    // A script that cannot be written is not run: a stale one would run an earlier job.
    std::optional<ProcessInformation> started;
    if (WriteBatchScript(kScript, strCommandLine))
        started = StartScript(kScript);
    if (!started) {
        m_services.ShowMessage(this, kLaunchFailed);
        return;
    }
    prInfo = std::move(*started);

    const DiscoveryResult found = DiscoverSimulator(prInfo.process);
    if (found.outcome == DiscoveryResult::Outcome::Failed) {
        prInfo.process.release(); // already reaped by the discovery
        m_services.ShowMessage(this, kLaunchFailed);
        return;
    }
    if (found.outcome == DiscoveryResult::Outcome::Found)
        hProc = ProcessRef::Open(found.simulatorPid);
    // The interpreter runs on until its simulator ends; only our reference goes, to the
    // reaper that collects it then.
    ChildReaper::Instance().Adopt(std::move(prInfo.process));

    animation()->Play(0, 10, -1);
    ++watchedRun;
    if (!hThread.Start(ThreadFunc, this)) {
        // Unwatched, the simulator would run on with Start available again.
        Terminate(hProc);
        hProc.release();
        animation()->Seek(0);
        DeleteBatchScript(kScript);
        m_services.ShowMessage(this, kLaunchFailed);
        return;
    }
    EnableComponents(false);
    DisableRunStartList();
    DeleteBatchScript(kScript);
}

void CZemloDlg::StopRun() {
    if (hThread.isRunning())
        hThread.Cancel();
    hThread.Release();
    // Only now, with the monitor gone, can no end of this run be queued any more; one queued
    // before finds itself stale.
    ++watchedRun;
    if (hProc.isRunning())
        Terminate(hProc);
    hProc.release();
}
