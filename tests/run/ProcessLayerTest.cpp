#include "ProcessTestSupport.h"
#include "run/BatchScript.h"
#include "run/ChildReaper.h"
#include "run/FileIdentity.h"
#include "run/MonitorThread.h"
#include "run/ProcessSnapshot.h"
#include "run/ScriptProcess.h"
#include "run/SimulatorDiscovery.h"

#include <atomic>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

using namespace testsupport;
using Outcome = DiscoveryResult::Outcome;

TEST(ParentFromStatTest, ReadsTheParentAfterTheLastParenthesis) {
    struct Case {
        const char* stat;
        std::optional<pid_t> parent;
    } cases[] = {
        {"1234 (sh) S 77 1234 1234 0 -1", 77},
        {"1234 (a b) S 8 1", 8},
        {"1234 (x) (y)) R 9 1", 9},
        {"1234 (:-)) Z 10 1", 10},
        {"1234 (sh S 77", std::nullopt},
        {"1234 (sh) S", std::nullopt},
        {"1234 (sh)", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParentFromStat(c.stat), c.parent) << c.stat;
}

TEST(ProcessSnapshotTest, ListsThisProcessWithItsParent) {
    const auto snapshot = TakeProcessSnapshot();
    bool found = false;
    for (const ProcessEntry& e : snapshot)
        if (e.pid == ::getpid()) {
            found = true;
            EXPECT_EQ(e.parentPid, ::getppid());
        }
    EXPECT_TRUE(found);
    EXPECT_GT(snapshot.size(), 1u);
}

TEST(BatchScriptTest, HoldsExactlyTheLineAndReplacesAnOlderScript) {
    ScratchDirectory dir;
    WriteFile("sim.bat", std::string(500, 'x') + "\n");
    const std::string line = "sim-zemlo.exe -memaddr 0 \xe9 applu.ss < applu.in";
    ASSERT_TRUE(WriteBatchScript("sim.bat", line));
    EXPECT_EQ(ReadFile("sim.bat"), line);
    DeleteBatchScript("sim.bat");
    EXPECT_FALSE(std::filesystem::exists("sim.bat"));
}

TEST(BatchScriptTest, ReportsAScriptThatCannotBeWritten) {
    ScratchDirectory dir;
    std::filesystem::create_directory("sim.bat");
    EXPECT_FALSE(WriteBatchScript("sim.bat", "true"));
    std::filesystem::remove("sim.bat");
    std::filesystem::create_symlink("/dev/full", "sim.bat");
    EXPECT_FALSE(WriteBatchScript("sim.bat", "true"));
}

struct StartedScript {
    ProcessInformation info;
    DiscoveryResult result;
};

StartedScript RunScript(const std::string& content,
                        std::chrono::milliseconds bound = std::chrono::seconds(5)) {
    WriteFile("sim.bat", content);
    auto info = StartScript("sim.bat");
    EXPECT_TRUE(info.has_value());
    StartedScript s{std::move(*info), {}};
    s.result = DiscoverSimulator(s.info.process, bound);
    return s;
}

TEST(DiscoveryTest, FindsTheInterpretersChildAndNeverTheInterpreter) {
    ScratchDirectory dir;
    StartedScript s = RunScript("sleep 5");
    ASSERT_EQ(s.result.outcome, Outcome::Found);
    EXPECT_NE(s.result.simulatorPid, s.info.processId);
    std::optional<pid_t> parent;
    for (const ProcessEntry& e : TakeProcessSnapshot())
        if (e.pid == s.result.simulatorPid)
            parent = e.parentPid;
    EXPECT_EQ(parent, s.info.processId);

    ProcessRef simulator = ProcessRef::Open(s.result.simulatorPid);
    ASSERT_FALSE(simulator.empty());
    EXPECT_TRUE(simulator.isRunning());
    EXPECT_TRUE(simulator.terminate());
    EXPECT_TRUE(Eventually([&] { return !simulator.isRunning(); }));
    const int status = s.info.process.reap(5000);
    ASSERT_GE(status, 0) << "the interpreter ends once its command is killed";
    EXPECT_TRUE(IsGone(s.info.processId));
    EXPECT_TRUE(simulator.terminate()) << "already gone counts as terminated";
}

TEST(DiscoveryTest, InterpreterThatEndsFirstDecidesByItsExitStatus) {
    ScratchDirectory dir;
    struct Case {
        const char* script;
        Outcome outcome;
    } cases[] = {
        {"exit 0", Outcome::EndedQuickly},
        {"exit 3", Outcome::Failed},
        {"no-such-simulator.exe -redir:sim simout.res", Outcome::Failed},
        {"true < no-such-input.in", Outcome::Failed},
    };
    for (const Case& c : cases) {
        StartedScript s = RunScript(c.script);
        EXPECT_EQ(s.result.outcome, c.outcome) << c.script;
        EXPECT_TRUE(IsGone(s.info.processId)) << c.script << ": reaped, not a zombie";
    }
}

TEST(DiscoveryTest, InterpreterThatNeverStartsAChildIsKilledAtTheBound) {
    ScratchDirectory dir;
    ASSERT_EQ(::mkfifo("input.fifo", 0600), 0);
    // A builtin's redirection is opened by the interpreter itself: it blocks on the FIFO.
    StartedScript s = RunScript("read line < input.fifo", std::chrono::milliseconds(300));
    EXPECT_EQ(s.result.outcome, Outcome::Failed);
    EXPECT_TRUE(IsGone(s.info.processId));
}

TEST(ScriptProcessTest, WorkingDirectoryComesFirstOnPath) {
    ScratchDirectory dir;
    WriteFile("stand-in.exe", "#!/bin/sh\necho \"$PATH\" > path.txt\nsleep 0.2\n", true);
    StartedScript s = RunScript("stand-in.exe");
    ASSERT_EQ(s.result.outcome, Outcome::Found);
    ASSERT_GE(s.info.process.reap(5000), 0);
    const std::string path = ReadFile("path.txt");
    EXPECT_EQ(path.substr(0, path.find(':')), dir.path().string());
    EXPECT_NE(path.find(":/"), std::string::npos) << "the inherited PATH follows: " << path;
}

// What the window's monitor does: wait for the process, then note the end.
struct Watch {
    MonitorThread thread;
    ProcessRef process;
    std::atomic<int> ends{0};
    std::atomic<int> nice{-100};
};

uint32_t WatchFunction(void* parameter) {
    auto* w = static_cast<Watch*>(parameter);
    w->nice = ::getpriority(PRIO_PROCESS, id_t(::gettid()));
    if (w->thread.WaitForProcessEnd(w->process)) {
        EXPECT_FALSE(w->process.isRunning());
        ++w->ends;
    }
    return 0;
}

TEST(MonitorThreadTest, WaitEndsWhenTheProcessEndsOnALowerPriorityThread) {
    ScratchDirectory dir;
    StartedScript s = RunScript("sleep 0.2");
    ASSERT_EQ(s.result.outcome, Outcome::Found);
    Watch w;
    w.process = ProcessRef::Open(s.result.simulatorPid);
    ASSERT_TRUE(w.thread.Start(WatchFunction, &w));
    EXPECT_TRUE(w.thread.isRunning());
    ASSERT_TRUE(Eventually([&] { return w.ends.load() == 1; }));
    EXPECT_GT(w.nice.load(), ::getpriority(PRIO_PROCESS, 0));
    EXPECT_TRUE(Eventually([&] { return !w.thread.isRunning(); }));
    EXPECT_EQ(w.thread.exitCode(), 0u);
    w.thread.Release();
    EXPECT_EQ(w.ends.load(), 1);
    EXPECT_TRUE(w.thread.empty());
    s.info.process.reap(5000);
}

TEST(MonitorThreadTest, CancelEndsTheWaitAsNotEnded) {
    ScratchDirectory dir;
    StartedScript s = RunScript("sleep 5");
    ASSERT_EQ(s.result.outcome, Outcome::Found);
    Watch w;
    w.process = ProcessRef::Open(s.result.simulatorPid);
    ASSERT_TRUE(w.thread.Start(WatchFunction, &w));
    w.thread.Cancel();
    EXPECT_FALSE(w.thread.isRunning());
    EXPECT_EQ(w.ends.load(), 0);
    EXPECT_TRUE(w.process.isRunning()) << "cancelling the watch does not touch the process";
    w.process.terminate();
    s.info.process.reap(5000);
}

TEST(MonitorThreadTest, NoProcessEndsTheWaitAtOnce) {
    Watch w;
    ASSERT_TRUE(w.thread.Start(WatchFunction, &w));
    ASSERT_TRUE(Eventually([&] { return w.ends.load() == 1; }));
}

TEST(MonitorThreadTest, ReportsAThreadThatCannotBeCreated) {
    // Ask every new thread for a stack larger than the machine can map.
    pthread_attr_t previous;
    ASSERT_EQ(pthread_getattr_default_np(&previous), 0);
    pthread_attr_t huge;
    pthread_attr_init(&huge);
    pthread_attr_setstacksize(&huge, size_t(1) << 46);
    ASSERT_EQ(pthread_setattr_default_np(&huge), 0);
    MonitorThread monitor;
    const bool started = monitor.Start([](void*) -> uint32_t { return 0; }, nullptr);
    pthread_setattr_default_np(&previous);
    pthread_attr_destroy(&huge);
    pthread_attr_destroy(&previous);
    EXPECT_FALSE(started);
    EXPECT_TRUE(monitor.empty());
}

TEST(ChildReaperTest, ReapsAdoptedChildrenAsTheyEnd) {
    ScratchDirectory dir;
    WriteFile("sim.bat", "exit 0");
    auto info = StartScript("sim.bat");
    ASSERT_TRUE(info.has_value());
    const pid_t pid = info->processId;
    ChildReaper::Instance().Adopt(std::move(info->process));
    EXPECT_TRUE(Eventually([&] { return IsGone(pid); })) << "left a zombie";
    int status;
    EXPECT_EQ(::waitpid(pid, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(FileIdentityTest, ChangesWithEveryNewVersionOfTheFile) {
    ScratchDirectory dir;
    EXPECT_FALSE(IdentifyFile("simout.res").exists);
    WriteFile("simout.res", "sim_num_insn 1");
    const FileIdentity first = IdentifyFile("simout.res");
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(IdentifyFile("simout.res"), first);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    WriteFile("simout.res", "sim_num_insn 2"); // same size, rewritten in place
    EXPECT_NE(IdentifyFile("simout.res"), first);
}

} // namespace
