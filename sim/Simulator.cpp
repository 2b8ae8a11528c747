#include "sim/Simulator.h"

#include "sim/AddressSpace.h"
#include "sim/CodeCache.h"
#include "sim/GuestMemory.h"
#include "sim/Hart.h"
#include "sim/Interpreter.h"
#include "sim/LinuxSystem.h"
#include "sim/ProgramLoader.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace sim {

namespace {

class Reporter {
public:
    explicit Reporter(std::string programName) : name_(std::move(programName)) {}
    int Error(const std::string& message, int status = kExitSimulationError) const {
        std::fprintf(stderr, "%s: error: %s\n", name_.c_str(), message.c_str());
        return status;
    }
    void Note(const std::string& message) const {
        std::fprintf(stderr, "%s: %s\n", name_.c_str(), message.c_str());
    }

private:
    std::string name_;
};

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        error = "cannot open program '" + path + "': " + std::strerror(errno);
        if (fd >= 0)
            close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        error = "cannot run '" + path + "': not a regular file";
        return false;
    }
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    bytes.resize(done);
    return true;
}

// Guest descriptors 0, 1 and 2: the simulator's standard input, and the -redir:prog file
// (or the simulator's own stdout and stderr) for both outputs.
bool SetUpStandardFiles(FileTable& files, const std::string& programOutput, std::string& error) {
    files.Install(0, fcntl(0, F_DUPFD_CLOEXEC, 0));
    if (programOutput.empty()) {
        files.Install(1, fcntl(1, F_DUPFD_CLOEXEC, 0));
        files.Install(2, fcntl(2, F_DUPFD_CLOEXEC, 0));
        return true;
    }
    const int fd = open(programOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error =
            "cannot create program output file '" + programOutput + "': " + std::strerror(errno);
        return false;
    }
    files.Install(1, fd);
    files.Install(2, fcntl(fd, F_DUPFD_CLOEXEC, 0));
    return true;
}

std::string AbsolutePath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::vector<std::string> HostEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e)
        env.emplace_back(*e);
    return env;
}

void AddEngineStatistics(StatisticsWriter& stats, const RunResult& run, double seconds) {
    stats.Add("sim_num_insn", run.instructions, "total number of instructions executed");
    stats.Add("sim_num_loads", run.loads, "total number of loads executed");
    stats.Add("sim_num_stores", run.stores, "total number of stores executed");
    stats.Add("sim_num_refs", run.loads + run.stores, "total number of loads and stores executed");
    stats.Add("sim_elapsed_time", seconds, "total simulation time in seconds");
    stats.Add("sim_inst_rate", seconds > 0 ? run.instructions / seconds : 0.0,
              "simulation speed (in instructions per second)");
}

} // namespace

int RunSimulator(const std::string& programName, const std::vector<std::string>& words,
                 const ModelFactory& makeModel) {
    const Reporter report(programName);
    const ParsedOptions parsed = ParseSimOptions(words);
    if (!parsed.ok) {
        report.Error(parsed.error);
        std::fputs(UsageText(programName).c_str(), stderr);
        return kExitUsage;
    }
    const SimOptions& options = parsed.options;
    if (options.help) {
        std::fputs(UsageText(programName).c_str(), stdout);
        return 0;
    }

    // Fail before running when the statistics could not be written afterwards.
    if (!options.statisticsFile.empty()) {
        std::FILE* probe = std::fopen(options.statisticsFile.c_str(), "w");
        if (!probe)
            return report.Error("cannot create statistics file '" + options.statisticsFile +
                                "': " + std::strerror(errno));
        std::fclose(probe);
    }

    const std::string& programPath = options.program.front();
    std::vector<uint8_t> image;
    std::string error;
    if (!ReadWholeFile(programPath, image, error))
        return report.Error(error);

    GuestMemory memory;
    LoadedProgram program;
    if (!LoadElf(image, memory, program, error))
        return report.Error("'" + programPath + "': " + error);
    image.clear();
    image.shrink_to_fit();

    AddressSpace space(memory);
    space.SetBrkStart(program.end);
    CodeCache cache(memory);
    const std::string absolutePath = AbsolutePath(programPath);
    LinuxSystem system(memory, space, cache, absolutePath);
    if (!SetUpStandardFiles(system.Files(), options.programOutput, error))
        return report.Error(error);

    Hart hart;
    hart.pc = program.entry;
    hart.x[2] = BuildInitialStack(memory, program, options.program, HostEnvironment(), programPath);
    // a0 holds the function that static start-up code registers with atexit: none.
    hart.x[10] = 0;

    std::unique_ptr<SimulationModel> model = makeModel ? makeModel(options) : nullptr;
    Interpreter interpreter(hart, memory, cache, system);
    interpreter.SetListener(model.get());

    const auto start = std::chrono::steady_clock::now();
    const RunResult run = interpreter.Run(options.maxInstructions);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    int status = 0;
    switch (run.stop) {
    case RunResult::Stop::Exited:
        status = run.exitStatus;
        if (!run.message.empty())
            report.Note(run.message);
        break;
    case RunResult::Stop::InstructionLimit:
        break;
    case RunResult::Stop::Fault:
        status = report.Error(run.message);
        break;
    }

    StatisticsWriter stats;
    AddEngineStatistics(stats, run, seconds);
    if (model)
        model->ReportStatistics(stats);
    const bool written = options.statisticsFile.empty() ? stats.WriteTo(stderr)
                                                        : stats.WriteTo(options.statisticsFile);
    if (!written)
        return report.Error("cannot write statistics file '" + options.statisticsFile + "'");
    return status;
}

} // namespace sim
