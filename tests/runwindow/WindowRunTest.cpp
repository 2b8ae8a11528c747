#include "WindowRunFixture.h"

#include "dialog/RunLists.h"
#include "run/ChildReaper.h"
#include "run/ProcessSnapshot.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <dirent.h>
#include <pthread.h>

namespace {

using namespace testsupport;
using namespace ids;

const char* kLaunchFailed = "Program execution failed. Please try again.";

// Words of a statistics file that fills every field of every job.
const std::string kAllStatistics = "sim_num_insn 1000 # instructions\n"
                                   "sim_num_ALUs 600 # ALU instructions\n"
                                   "sim_num_loads 250 # loads\n"
                                   "loadValueLocality 42.5 # loads seen before\n"
                                   "ALUValueLocality 30.1 # ALU results seen before\n"
                                   "valuePrediction 40.0 # correctly predicted\n"
                                   "classifiedPred 55.0 # classified predictable\n"
                                   "classifiedUnpred 45.0 # classified unpredictable\n"
                                   "unpredictable 33.3 # unpredictable, correctly classified\n";

constexpr const auto& kResultFields = runlists::ResultFieldsInClearingOrder;

// Every process but this one whose working directory is dir: the interpreter and the
// simulator of a run, whatever their parents have become.
std::vector<pid_t> ProcessesWorkingIn(const std::filesystem::path& dir) {
    std::vector<pid_t> found;
    for (const ProcessEntry& e : TakeProcessSnapshot()) {
        std::error_code ec;
        const auto cwd =
            std::filesystem::read_symlink("/proc/" + std::to_string(e.pid) + "/cwd", ec);
        if (!ec && cwd == dir && e.pid != ::getpid() && !IsGoneOrZombie(e.pid))
            found.push_back(e.pid);
    }
    return found;
}

std::vector<std::string> SplitNul(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1)
        words.push_back(text.substr(start, end - start));
    return words;
}

// The enabled state of every control, to compare a window with the one a rule leaves.
std::map<int, bool> EnabledStates(const CZemloDlg& dlg) {
    std::map<int, bool> states;
    for (int id = 1000; id <= 1048; ++id)
        if (dlg.control(id) != nullptr)
            states[id] = dlg.IsControlEnabled(id);
    return states;
}

struct JobCase {
    const char* name;
    const char* simulator;
    std::function<void(CZemloDlg&)> choose;
    std::map<int, std::string> filled; // every other result field stays empty
};

void PrintTo(const JobCase& c, std::ostream* os) {
    *os << c.name;
}

class RunToTheEndTest : public WindowRunTest, public ::testing::WithParamInterface<JobCase> {};

TEST_P(RunToTheEndTest, FillsExactlyTheJobsFieldsAndReturnsToIdle) {
    const JobCase& job = GetParam();
    InstallSimulator(job.simulator);
    WriteResults(kAllStatistics);
    ChooseBenchmark("applu.ss");
    job.choose(*dialog_);

    dialog_->OnOK();
    ASSERT_TRUE(IsRunning()) << (services_.messages.empty() ? "" : services_.messages.back());
    EXPECT_TRUE(dialog_->animation()->isPlaying());
    EXPECT_FALSE(std::filesystem::exists("sim.bat")) << "deleted once the simulator is found";
    for (int id : {IDC_BROWSE, IDC_LOCALITY_RADIO, IDC_PREDICTION_RADIO, IDC_LVPT_SIZE})
        EXPECT_FALSE(dialog_->IsControlEnabled(id)) << id;

    ASSERT_TRUE(WaitForIdle());
    EXPECT_TRUE(services_.messages.empty());
    for (int id : kResultFields) {
        const auto it = job.filled.find(id);
        EXPECT_EQ(dialog_->ControlText(id), it == job.filled.end() ? "" : it->second) << id;
    }
    EXPECT_FALSE(dialog_->animation()->isPlaying());
    EXPECT_EQ(dialog_->animation()->currentFrame(), 0);

    // The run-end list and the mode's rule leave the window as the rule alone would.
    const auto afterRun = EnabledStates(*dialog_);
    dialog_->ApplyModeRule();
    EXPECT_EQ(EnabledStates(*dialog_), afterRun);

    // The simulator saw the composed line's words, the tail's "<" input and PATH.
    std::vector<std::string> expected;
    std::istringstream line(
        dialog_->lastCommandLine().substr(0, dialog_->lastCommandLine().find(" <")));
    for (std::string word; line >> word;)
        expected.push_back(word);
    EXPECT_EQ(SplitNul(ReadFile("standin-argv.txt")), expected);
    EXPECT_EQ(ReadFile("standin-stdin.txt"), "input of applu\n");
    EXPECT_EQ(ReadFile("standin-path.txt").substr(0, dir_.path().string().size() + 1),
              dir_.path().string() + ":");
}

INSTANTIATE_TEST_SUITE_P(Jobs, RunToTheEndTest,
                         ::testing::Values(JobCase{"Prediction",
                                                   "sim-zemlo.exe",
                                                   [](CZemloDlg&) {},
                                                   {{IDC_RESULT_INSTRUCTIONS, "1000"},
                                                    {IDC_RESULT_LOADS, "250"},
                                                    {IDC_RESULT_PREDICTED, "40.0"},
                                                    {IDC_RESULT_CLASSIFIED_PRED, "55.0"},
                                                    {IDC_RESULT_CLASSIFIED_UNPRED, "45.0"},
                                                    {IDC_RESULT_CORRECT_UNPRED, "33.3"}}},
                                           JobCase{"LocalityOnRegisters",
                                                   "sim-tolva.exe",
                                                   [](CZemloDlg& d) {
                                                       d.SetCheck(IDC_LOCALITY_RADIO, true);
                                                       d.OnLocalityRadio();
                                                   },
                                                   {{IDC_RESULT_INSTRUCTIONS, "1000"},
                                                    {IDC_RESULT_LOADS, "250"},
                                                    {IDC_RESULT_LOAD_LOCALITY, "42.5"}}},
                                           JobCase{"LocalityOnInstructions",
                                                   "sim-narup.exe",
                                                   [](CZemloDlg& d) {
                                                       d.SetCheck(IDC_LOCALITY_RADIO, true);
                                                       d.OnLocalityRadio();
                                                       d.SetCheck(IDC_LOCALITY_ON_INSTRUCTIONS,
                                                                  true);
                                                       d.OnContextualRadio();
                                                   },
                                                   {{IDC_RESULT_INSTRUCTIONS, "1000"},
                                                    {IDC_RESULT_ALUS, "600"},
                                                    {IDC_RESULT_LOADS, "250"},
                                                    {IDC_RESULT_LOAD_LOCALITY, "42.5"},
                                                    {IDC_RESULT_ALU_LOCALITY, "30.1"}}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowRunTest, StopKillsTheSimulatorAndReadsNothing) {
    InstallSimulator("sim-zemlo.exe");
    WriteResults(kAllStatistics);
    ::setenv("STANDIN_SLEEP_MS", "20000", 1);
    ChooseBenchmark("applu.ss");
    dialog_->OnOK();
    ASSERT_TRUE(IsRunning());
    ASSERT_TRUE(PumpUntil([] { return std::filesystem::exists("standin-pid.txt"); }));
    const pid_t simulator = StandInPid();

    dialog_->OnCancel();
    EXPECT_TRUE(IsIdle());
    EXPECT_TRUE(Eventually([&] { return IsGoneOrZombie(simulator); })) << "still running";
    EXPECT_FALSE(dialog_->animation()->isPlaying());
    EXPECT_EQ(dialog_->animation()->currentFrame(), 0);
    PumpUntil([] { return false; }, 300); // nothing queued by the stopped run may land
    for (int id : kResultFields)
        EXPECT_EQ(dialog_->ControlText(id), "") << id;
    EXPECT_TRUE(IsIdle());

    dialog_->OnCancel(); // a second Stop finds nothing to end
    EXPECT_TRUE(IsIdle());
}

TEST_F(WindowRunTest, StopAfterAFinishedRunKeepsItsResults) {
    dialog_->OnCancel(); // never started: only the window is reset
    EXPECT_TRUE(IsIdle());

    InstallSimulator("sim-zemlo.exe");
    WriteResults(kAllStatistics);
    ChooseBenchmark("applu.ss");
    dialog_->OnOK();
    ASSERT_TRUE(WaitForIdle());
    dialog_->OnCancel();
    EXPECT_EQ(dialog_->ControlText(IDC_RESULT_INSTRUCTIONS), "1000");
    EXPECT_TRUE(IsIdle());
}

TEST_F(WindowRunTest, MissingSimulatorFailsAndLeavesTheScript) {
    ChooseBenchmark("applu.ss");
    QElapsedTimer timer;
    timer.start();
    dialog_->OnOK();
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(services_.messages, std::vector<std::string>{kLaunchFailed});
    EXPECT_TRUE(IsIdle());
    EXPECT_FALSE(dialog_->animation()->isPlaying());
    EXPECT_EQ(ReadFile("sim.bat"), dialog_->lastCommandLine());
    EXPECT_EQ(std::filesystem::file_size("sim.bat"), dialog_->lastCommandLine().size());
}

TEST_F(WindowRunTest, ScriptThatCannotBeWrittenRunsNothing) {
    InstallSimulator("sim-zemlo.exe");
    std::filesystem::create_directory("sim.bat");
    ChooseBenchmark("applu.ss");
    dialog_->OnOK();
    EXPECT_EQ(services_.messages, std::vector<std::string>{kLaunchFailed});
    EXPECT_TRUE(IsIdle());
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(std::filesystem::exists("standin-argv.txt")) << "a simulator was started";
}

TEST_F(WindowRunTest, RunTooQuickToBeSeenStillHasItsResultsRead) {
    InstallSimulator("sim-zemlo.exe");
    WriteResults(kAllStatistics);
    ::setenv("STANDIN_SLEEP_MS", "0", 1);
    ChooseBenchmark("applu.ss");
    dialog_->OnOK();
    ASSERT_TRUE(WaitForIdle());
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(dialog_->ControlText(IDC_RESULT_INSTRUCTIONS), "1000");
}

TEST_F(WindowRunTest, OldStatisticsFileIsNotShownAsThisRunsResults) {
    InstallSimulator("sim-zemlo.exe");
    WriteFile("simout.res", kAllStatistics); // from an earlier run; this one writes none
    ChooseBenchmark("applu.ss");
    dialog_->OnOK();
    ASSERT_TRUE(IsRunning());
    ASSERT_TRUE(WaitForIdle());
    for (int id : kResultFields)
        EXPECT_EQ(dialog_->ControlText(id), "") << id;
    EXPECT_EQ(ReadFile("simout.res"), kAllStatistics) << "the window never writes the file";
}

TEST_F(WindowRunTest, StartDoesNothingWhileARunIsWatched) {
    InstallSimulator("sim-zemlo.exe");
    ::setenv("STANDIN_SLEEP_MS", "20000", 1);
    ChooseBenchmark("applu.ss");
    dialog_->OnOK();
    ASSERT_TRUE(IsRunning());
    ASSERT_TRUE(PumpUntil([] { return std::filesystem::exists("standin-pid.txt"); }));
    const pid_t first = StandInPid();
    std::filesystem::remove("standin-pid.txt");

    // Every route to Start: the handler, the menu command, the Enter key.
    dialog_->OnOK();
    dialog_->menuItem(0, 0)->trigger();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(dialog_.get(), &enter);
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(std::filesystem::exists("standin-pid.txt")) << "a second simulator started";
    EXPECT_TRUE(IsRunning());

    dialog_->OnCancel();
    EXPECT_TRUE(Eventually([&] { return IsGoneOrZombie(first); }));
}

TEST_F(WindowRunTest, RunThatEndsUnderAModalBoxFillsItsFieldsUnderneath) {
    InstallSimulator("sim-zemlo.exe");
    WriteResults(kAllStatistics);
    ChooseBenchmark("applu.ss");
    dialog_->OnOK();
    ASSERT_TRUE(IsRunning());
    bool idleUnderBox = false;
    services_.whileModal = [&] { idleUnderBox = WaitForIdle(); }; // the box's own event loop
    dialog_->OnAbout();
    EXPECT_EQ(services_.modalRuns, 1);
    EXPECT_TRUE(idleUnderBox);
    EXPECT_EQ(dialog_->ControlText(IDC_RESULT_INSTRUCTIONS), "1000");
}

// While it lives, every new thread asks for a stack larger than the machine can map, so
// that thread creation really fails.
class NoNewThreads {
public:
    NoNewThreads() {
        pthread_getattr_default_np(&previous_);
        pthread_attr_t huge;
        pthread_attr_init(&huge);
        pthread_attr_setstacksize(&huge, size_t(1) << 46);
        EXPECT_EQ(pthread_setattr_default_np(&huge), 0);
        pthread_attr_destroy(&huge);
    }
    ~NoNewThreads() {
        pthread_setattr_default_np(&previous_);
        pthread_attr_destroy(&previous_);
    }

private:
    pthread_attr_t previous_;
};

TEST_F(WindowRunTest, MonitorThatCannotBeCreatedLeavesNoSimulatorRunning) {
    InstallSimulator("sim-zemlo.exe");
    ::setenv("STANDIN_SLEEP_MS", "20000", 1);
    ChooseBenchmark("applu.ss");

    {
        NoNewThreads noThreads;
        dialog_->OnOK();
    }

    EXPECT_EQ(services_.messages, std::vector<std::string>{kLaunchFailed});
    EXPECT_TRUE(IsIdle());
    EXPECT_TRUE(Eventually([&] { return ProcessesWorkingIn(dir_.path()).empty(); }))
        << "the simulator or its interpreter runs on unwatched";
}

size_t OpenDescriptors() {
    size_t count = 0;
    if (DIR* d = ::opendir("/proc/self/fd")) {
        while (::readdir(d) != nullptr)
            ++count;
        ::closedir(d);
    }
    return count;
}

TEST_F(WindowRunTest, FiftyRunsLeaveNoZombieAndNoDescriptor) {
    InstallSimulator("sim-zemlo.exe");
    WriteResults(kAllStatistics);
    ::setenv("STANDIN_SLEEP_MS", "20", 1);
    ChooseBenchmark("applu.ss");
    dialog_->OnOK(); // the first run opens what stays open for the process's life
    ASSERT_TRUE(WaitForIdle());
    dialog_->OnCancel(); // and Stop releases what the run itself held
    // Interpreters of earlier runs hold a descriptor each until they have ended.
    const auto settled = [] { return ChildReaper::Instance().pending() == 0; };
    ASSERT_TRUE(Eventually(settled));
    const size_t descriptors = OpenDescriptors();
    for (int i = 0; i < 50; ++i) {
        dialog_->OnOK();
        ASSERT_TRUE(WaitForIdle()) << "run " << i;
        if (i % 10 == 9)
            dialog_->OnCancel(); // releases a finished run's references
    }
    EXPECT_TRUE(Eventually([] {
        for (const ProcessEntry& e : TakeProcessSnapshot())
            if (e.parentPid == ::getpid())
                return false;
        return true;
    })) << "a child of the window was never reaped";
    dialog_->OnCancel();
    ASSERT_TRUE(Eventually(settled));
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_TRUE(services_.messages.empty());
}

} // namespace
