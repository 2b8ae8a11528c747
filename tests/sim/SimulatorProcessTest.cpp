// The simulator programs run as the window runs them: real processes on real guest programs,
// compared with qemu-riscv64 and with the same sources built for the host.
#include "results/StatisticsFile.h"
#include "tests/sim/ProcessRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace simtest {
namespace {

const std::string kSimDir = ZEMLO_SIM_DIR;
const std::string kGuestDir = ZEMLO_GUEST_DIR;
const std::string kGuestSourceDir = ZEMLO_GUEST_SOURCE_DIR;
const std::string kQemu = ZEMLO_QEMU;
// Every run in these tests has a budget, so that a fault cannot hang the suite.
const std::string kBudget = "2000000000";

std::string Simulator(const std::string& name = "sim-zemlo") {
    return kSimDir + "/" + name + ".exe";
}
std::string Guest(const std::string& name) {
    return kGuestDir + "/" + name;
}

std::map<std::string, std::string> Statistics(const std::string& path) {
    std::map<std::string, std::string> stats;
    std::istringstream in(ReadFile(path));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name, value;
        if (words >> name >> value)
            stats[name] = value;
    }
    return stats;
}

struct DifferentialRow {
    const char* name;
    const char* program;
    std::vector<std::string> args;
    const char* stdinFile; // under the guest sources, or null
    bool native;           // the source means the same built for the host
    bool compareStderr;
};

// Rows print as their names in test listings.
void PrintTo(const DifferentialRow& row, std::ostream* os) {
    *os << row.name;
}

class Differential : public testing::TestWithParam<DifferentialRow> {};

TEST_P(Differential, SameOutputAndStatusAsQemuAndNative) {
    const DifferentialRow& row = GetParam();
    const std::string input = row.stdinFile ? kGuestSourceDir + "/" + row.stdinFile : "/dev/null";
    const std::vector<std::string> env = {"ZEMLO_TEST_VALUE=spaces and {braces}"};
    const std::string simDir = MakeTempDirectory(std::string(row.name) + "-sim");
    std::vector<std::string> simArgv = {Simulator(), "-redir:sim", simDir + "/stats.res",
                                        "-max:inst", kBudget,      Guest(row.program)};
    simArgv.insert(simArgv.end(), row.args.begin(), row.args.end());
    const ProcessResult sim = RunProcess(simArgv, simDir, input, 120, env);
    ASSERT_FALSE(sim.timedOut);

    if (kQemu.empty()) {
        GTEST_SKIP() << "qemu-riscv64 is not installed";
    }
    const std::string qemuDir = MakeTempDirectory(std::string(row.name) + "-qemu");
    std::vector<std::string> qemuArgv = {kQemu, Guest(row.program)};
    qemuArgv.insert(qemuArgv.end(), row.args.begin(), row.args.end());
    const ProcessResult qemu = RunProcess(qemuArgv, qemuDir, input, 120, env);
    ASSERT_FALSE(qemu.timedOut);
    EXPECT_EQ(sim.status, qemu.status);
    EXPECT_EQ(sim.out, qemu.out);
    if (row.compareStderr) {
        EXPECT_EQ(sim.err, qemu.err);
    }
    EXPECT_FALSE(sim.out.empty());

    if (row.native) {
        const std::string nativeDir = MakeTempDirectory(std::string(row.name) + "-native");
        std::vector<std::string> nativeArgv = {Guest(row.program) + ".native"};
        nativeArgv.insert(nativeArgv.end(), row.args.begin(), row.args.end());
        const ProcessResult native = RunProcess(nativeArgv, nativeDir, input, 120, env);
        EXPECT_EQ(sim.status, native.status);
        EXPECT_EQ(sim.out, native.out);
    }
    const auto stats = Statistics(simDir + "/stats.res");
    EXPECT_GT(std::stoull(stats.at("sim_num_insn")), 1000u);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, Differential,
    testing::Values(
        DifferentialRow{"integer", "integer", {}, nullptr, true, true},
        DifferentialRow{"integer_uncompressed", "integer_rv64g", {}, nullptr, false, true},
        DifferentialRow{"muldiv_corner_cases", "muldiv", {}, nullptr, false, true},
        DifferentialRow{"atomics", "atomics", {}, nullptr, false, true},
        DifferentialRow{"fp_rounding_modes_and_flags", "fp_rounding", {}, nullptr, false, true},
        DifferentialRow{"fp_conversions", "fp_convert", {}, nullptr, false, true},
        DifferentialRow{"fp_nan_boxing_min_max_compare", "fp_special", {}, nullptr, false, true},
        DifferentialRow{"stdio", "stdio", {}, nullptr, true, true},
        DifferentialRow{"file_io", "fileio", {}, nullptr, true, true},
        DifferentialRow{"large_mallocs", "malloc", {}, nullptr, true, true},
        DifferentialRow{"argv_and_envp",
                        "args",
                        {"two words", "{uses", "TOMCATV.MODEL}", ""},
                        nullptr,
                        true,
                        true},
        DifferentialRow{"stdin", "stdin", {}, "input.txt", true, true},
        DifferentialRow{"code_written_at_run_time", "selfmod", {}, nullptr, false, true},
        DifferentialRow{"exit_status_from_main", "exit_status", {}, nullptr, true, true},
        DifferentialRow{"exit_status_from_exit", "exit_status", {"exit"}, nullptr, true, true},
        DifferentialRow{"abort_is_a_signal_death", "exit_status", {"abort"}, nullptr, true, false}),
    [](const testing::TestParamInfo<DifferentialRow>& info) {
        return std::string(info.param.name);
    });

struct BadProgramRow {
    const char* name;
    std::string program; // a built guest, or a file the test makes (see MakeBadFile)
    std::vector<std::string> args;
    const char* message;
};

// Files that are not runnable programs, made in dir.
std::string MakeBadFile(const std::string& kind, const std::string& dir) {
    const std::string path = dir + "/" + kind + ".ss";
    std::ofstream out(path, std::ios::binary);
    if (kind == "text") {
        out << "#!/bin/sh\necho this is not a program\n";
    } else if (kind == "empty") {
    } else if (kind == "truncated_header" || kind == "truncated_segments") {
        const std::string image = ReadFile(Guest("integer"));
        out << image.substr(0, kind == "truncated_header" ? 40 : 3000);
    } else {
        return kind; // a path as it is
    }
    return path;
}

// Rows print as their names in test listings.
void PrintTo(const BadProgramRow& row, std::ostream* os) {
    *os << row.name;
}

class BadProgram : public testing::TestWithParam<BadProgramRow> {};

TEST_P(BadProgram, ClearMessageAndFailureStatus) {
    const BadProgramRow& row = GetParam();
    const std::string dir = MakeTempDirectory(row.name);
    std::vector<std::string> argv = {Simulator(), "-redir:sim", dir + "/stats.res",
                                     "-max:inst", "100000000",  MakeBadFile(row.program, dir)};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    const ProcessResult r = RunProcess(argv, dir, "/dev/null", 60);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("sim-zemlo.exe: error: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Programs, BadProgram,
    testing::Values(
        BadProgramRow{"not_an_elf", "text", {}, "not an ELF file"},
        BadProgramRow{"empty_file", "empty", {}, "not an ELF file"},
        BadProgramRow{"missing_file", "/nonexistent/prog.ss", {}, "cannot open program"},
        BadProgramRow{"a_directory", "/", {}, "not a regular file"},
        BadProgramRow{"wrong_architecture", Guest("integer.native"), {}, "wrong architecture"},
        BadProgramRow{"dynamically_linked", Guest("dynamic"), {}, "dynamically linked"},
        BadProgramRow{"truncated_header", "truncated_header", {}, "truncated"},
        BadProgramRow{"truncated_segments", "truncated_segments", {}, "truncated"},
        BadProgramRow{
            "illegal_instruction", Guest("bad_illegal"), {}, "illegal instruction 0xffffffff"},
        BadProgramRow{
            "reserved_dynamic_rounding_mode", Guest("bad_frm"), {}, "illegal instruction"},
        BadProgramRow{"jump_to_unmapped_memory",
                      Guest("bad_jump"),
                      {},
                      "jump to unmapped or non-executable address 0x7654320"},
        BadProgramRow{"jump_past_the_memory",
                      Guest("bad_jump"),
                      {"far"},
                      "jump to unmapped or non-executable address 0x500000000"},
        BadProgramRow{"misaligned_atomic", Guest("bad_atomic"), {}, "misaligned atomic"},
        BadProgramRow{"unknown_system_call", Guest("bad_syscall"), {}, "unknown system call 999"},
        BadProgramRow{"unsupported_clone",
                      Guest("bad_syscall"),
                      {"clone"},
                      "unknown system call 220 (clone)"},
        BadProgramRow{"write_past_memory",
                      Guest("bad_store"),
                      {},
                      "outside the program's memory: address 0x500000000"}),
    [](const testing::TestParamInfo<BadProgramRow>& info) { return std::string(info.param.name); });

TEST(SimulatorFront, EachProgramWritesStatisticsTheWindowReads) {
    for (const char* name : {"sim-tolva", "sim-narup", "sim-zemlo"}) {
        const std::string dir = MakeTempDirectory(name);
        const ProcessResult r =
            RunProcess({Simulator(name), "-redir:sim", "simout.res", "-redir:prog", "progout.res",
                        "-memaddr", "0", "-history", "1", "-max:inst", kBudget, Guest("integer")},
                       dir);
        ASSERT_EQ(r.status, 0) << name << r.err;
        const auto stats = Statistics(dir + "/simout.res");
        for (const char* stat : {"sim_num_insn", "sim_num_loads", "sim_num_stores",
                                 "sim_elapsed_time", "sim_inst_rate"})
            EXPECT_TRUE(stats.count(stat)) << name << " lacks " << stat;
        std::map<int, std::string> fields;
        ReadStatisticsFile(
            SimulationMode::ValueLocality, false,
            [&](int id, const std::string& text) { fields[id] = text; }, dir + "/simout.res");
        EXPECT_EQ(fields[1020], stats.at("sim_num_insn"));
        EXPECT_EQ(fields[1021], stats.at("sim_num_loads"));
        EXPECT_GT(std::stoull(stats.at("sim_num_loads")), 0u);
        EXPECT_NE(ReadFile(dir + "/progout.res").find("hash "), std::string::npos);
    }
}

TEST(SimulatorFront, ProgramOutputAndErrorsGoToTheRedirFile) {
    const std::string dir = MakeTempDirectory("redir-prog");
    const ProcessResult r = RunProcess({Simulator(), "-redir:sim", "simout.res", "-redir:prog",
                                        "progout.res", "-max:inst", kBudget, Guest("stdio")},
                                       dir);
    EXPECT_EQ(r.status, 11);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    const std::string prog = ReadFile(dir + "/progout.res");
    EXPECT_NE(prog.find("to stderr\n"), std::string::npos);
    EXPECT_NE(prog.find("scanned 3.25 17 hello"), std::string::npos);
}

TEST(SimulatorFront, StatisticsGoToStandardErrorWithoutRedir) {
    const std::string dir = MakeTempDirectory("no-redir");
    const ProcessResult r = RunProcess({Simulator(), "-max:inst", kBudget, Guest("integer")}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("hash "), std::string::npos);
    EXPECT_NE(r.err.find("sim_num_insn "), std::string::npos);
}

TEST(SimulatorFront, InstructionLimitStopsExactly) {
    for (const char* limit : {"1", "12345", "3000000"}) {
        const std::string dir = MakeTempDirectory("limit");
        const ProcessResult r = RunProcess(
            {Simulator("sim-narup"), "-redir:sim", "simout.res", "-max:inst", limit, Guest("spin")},
            dir, "/dev/null", 60);
        ASSERT_FALSE(r.timedOut);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Statistics(dir + "/simout.res").at("sim_num_insn"), limit);
    }
}

struct UsageRow {
    const char* name;
    std::vector<std::string> words;
    const char* message;
};

// Rows print as their names in test listings.
void PrintTo(const UsageRow& row, std::ostream* os) {
    *os << row.name;
}

class UsageError : public testing::TestWithParam<UsageRow> {};

TEST_P(UsageError, ExitsWithStatusTwoAndSaysWhy) {
    const std::string dir = MakeTempDirectory(GetParam().name);
    std::vector<std::string> argv = {Simulator("sim-tolva")};
    argv.insert(argv.end(), GetParam().words.begin(), GetParam().words.end());
    const ProcessResult r = RunProcess(argv, dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: sim-tolva.exe"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir + "/simout.res"));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UsageError,
    testing::Values(UsageRow{"unknown_option",
                             {"-redir:sim", "simout.res", "-speed", "2", "p.ss"},
                             "unknown option '-speed'"},
                    UsageRow{"malformed_history", {"-history", "12abc", "p.ss"}, "'12abc'"},
                    UsageRow{"malformed_limit", {"-max:inst", "1e6", "p.ss"}, "'1e6'"},
                    UsageRow{"no_program", {"-memaddr", "1"}, "no program"}),
    [](const testing::TestParamInfo<UsageRow>& info) { return std::string(info.param.name); });

TEST(SimulatorFront, UnwritableStatisticsFileFailsBeforeRunning) {
    const std::string dir = MakeTempDirectory("unwritable");
    const ProcessResult r = RunProcess({Simulator(), "-redir:sim", "/nonexistent/simout.res",
                                        "-max:inst", kBudget, Guest("stdio")},
                                       dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot create statistics file"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << "the program must not have run";
}

TEST(SimulatorFront, ProcSelfExeIsTheGuestProgram) {
    const std::string dir = MakeTempDirectory("self-exe");
    const ProcessResult r = RunProcess({Simulator(), "-max:inst", kBudget, Guest("self_exe")}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::filesystem::canonical(Guest("self_exe")).string() + "\n");
}

} // namespace
} // namespace simtest
