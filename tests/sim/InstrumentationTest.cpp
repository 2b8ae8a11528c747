// The seam the models plug into: a listener sees every retired instruction with its operands.
#include "sim/Simulator.h"
#include "tests/sim/ProcessRunner.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace sim {
namespace {

// What the model saw; kept by the test, since the simulator owns (and ends) the model.
struct Record {
    uint64_t retired = 0;
    std::map<InstructionClass, uint64_t> byClass;
    uint64_t loadValueMismatches = 0;
    uint64_t misalignedStoreAddress = 0;
    uint64_t writesToX0 = 0;
};

class RecordingModel : public SimulationModel {
public:
    explicit RecordingModel(Record& record) : r_(record) {}
    void OnRetire(const RetiredInstruction& r) override {
        ++r_.retired;
        ++r_.byClass[r.cls];
        if (r.cls == InstructionClass::Load && r.destination != Destination::None &&
            r.value != r.memoryValue)
            ++r_.loadValueMismatches;
        // The first store of this value is the program's own (later ones are printf's copies).
        if (r.cls == InstructionClass::Store && r.memoryValue == 0x1122334455667788ull &&
            !r_.misalignedStoreAddress)
            r_.misalignedStoreAddress = r.address;
        if (r.destination == Destination::Integer && r.rd == 0)
            ++r_.writesToX0;
    }
    void ReportStatistics(StatisticsWriter& stats) const override {
        stats.Add("test_retired", r_.retired, "instructions the model saw");
    }

private:
    Record& r_;
};

class Instrumentation : public testing::Test {
protected:
    // Runs the simulator in this process with a recording model; answers its statistics.
    std::map<std::string, std::string> Run(const std::string& guest,
                                           const std::vector<std::string>& extra = {}) {
        dir = simtest::MakeTempDirectory("instrumentation");
        std::vector<std::string> words = {"-redir:sim", dir + "/simout.res", "-redir:prog",
                                          dir + "/progout.res"};
        words.insert(words.end(), extra.begin(), extra.end());
        words.push_back(std::string(ZEMLO_GUEST_DIR) + "/" + guest);
        record = Record{};
        status = RunSimulator("sim-test", words, [this](const SimOptions&) {
            return std::make_unique<RecordingModel>(record);
        });
        std::map<std::string, std::string> stats;
        std::istringstream in(simtest::ReadFile(dir + "/simout.res"));
        for (std::string name, value, rest; in >> name >> value && std::getline(in, rest);)
            stats[name] = value;
        return stats;
    }
    std::string dir;
    int status = -1;
    Record record;
};

TEST_F(Instrumentation, ListenerSeesEveryInstructionWithItsValues) {
    const auto stats = Run("integer");
    ASSERT_EQ(status, 0);
    EXPECT_EQ(std::to_string(record.retired), stats.at("sim_num_insn"));
    EXPECT_EQ(stats.at("test_retired"), stats.at("sim_num_insn")) << "the model's own line";
    EXPECT_GT(record.byClass[InstructionClass::Load], 1000u);
    EXPECT_GT(record.byClass[InstructionClass::Store], 1000u);
    EXPECT_GT(record.byClass[InstructionClass::IntegerAlu], 10000u);
    EXPECT_GT(record.byClass[InstructionClass::Branch], 1000u);
    EXPECT_EQ(record.loadValueMismatches, 0u);
    EXPECT_EQ(record.writesToX0, 0u) << "writes to x0 are no destination";
    EXPECT_NE(record.misalignedStoreAddress, 0u);
    EXPECT_NE(record.misalignedStoreAddress % 8, 0u) << "the program's misaligned sd";
    EXPECT_NE(simtest::ReadFile(dir + "/progout.res").find("hash "), std::string::npos);
}

TEST_F(Instrumentation, ObservedRunGivesTheSameOutputAsAPlainOne) {
    Run("fp_rounding");
    ASSERT_EQ(status, 0);
    EXPECT_GT(record.byClass[InstructionClass::FloatAlu], 1000u);
    const std::string observed = simtest::ReadFile(dir + "/progout.res");
    const std::string plainDir = simtest::MakeTempDirectory("plain");
    const int plainStatus =
        RunSimulator("sim-test",
                     {"-redir:sim", plainDir + "/simout.res", "-redir:prog",
                      plainDir + "/progout.res", std::string(ZEMLO_GUEST_DIR) + "/fp_rounding"},
                     ModelFactory());
    EXPECT_EQ(plainStatus, 0);
    EXPECT_EQ(observed, simtest::ReadFile(plainDir + "/progout.res"));
}

TEST_F(Instrumentation, PlainRunCountsTheInstructionsTheListenerSees) {
    // The uninstrumented loop counts on its own; both counts must agree on a whole run, first
    // executions of freshly decoded instructions and page crossings included.
    for (const char* guest : {"integer", "stdio", "selfmod"}) {
        Run(guest);
        ASSERT_EQ(status, guest == std::string("stdio") ? 11 : 0) << guest;
        const std::string plainDir = simtest::MakeTempDirectory("plain-count");
        RunSimulator("sim-test",
                     {"-redir:sim", plainDir + "/simout.res", "-redir:prog",
                      plainDir + "/progout.res", std::string(ZEMLO_GUEST_DIR) + "/" + guest},
                     ModelFactory());
        std::istringstream in(simtest::ReadFile(plainDir + "/simout.res"));
        std::string name, value;
        in >> name >> value;
        ASSERT_EQ(name, "sim_num_insn");
        EXPECT_EQ(value, std::to_string(record.retired)) << guest;
    }
}

TEST_F(Instrumentation, InstructionLimitCountsRetirements) {
    const auto stats = Run("spin", {"-max:inst", "54321"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(record.retired, 54321u);
    EXPECT_EQ(stats.at("sim_num_insn"), "54321");
}

} // namespace
} // namespace sim
