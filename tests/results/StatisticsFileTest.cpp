#include "results/StatisticsFile.h"
#include "res/ControlIds.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace ids;

// Reads a file written by the test and records every field set, in order.
class StatisticsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zemlo-stats-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        path_ = (dir_ / "simout.res").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }

    void Read(SimulationMode mode, bool onInstructions) {
        fields_.clear();
        order_.clear();
        ReadStatisticsFile(
            mode, onInstructions,
            [this](int id, const std::string& text) {
                fields_[id] = text;
                order_.push_back(id);
            },
            path_);
    }

    fs::path dir_;
    std::string path_;
    std::map<int, std::string> fields_;
    std::vector<int> order_;
};

const std::string kFullFile = "sim_num_insn 1000 # total number of instructions executed\n"
                              "sim_num_loads 250 # total number of loads\n"
                              "sim_num_ALUs 600 # total number of ALU instructions\n"
                              "loadValueLocality 42.5 # loads that saw their value before\n"
                              "ALUValueLocality 30.1 # ALU results seen before\n"
                              "valuePrediction 40.0 # correctly predicted loads\n"
                              "classifiedPred 55.0 # loads classified predictable\n"
                              "classifiedUnpred 45.0 # loads classified unpredictable\n"
                              "unpredictable 33.3 # unpredictable loads classified correctly\n";

TEST_F(StatisticsFileTest, EachJobFillsItsFieldsInOrder) {
    // The description after "classifiedUnpred" holds the first "unpredictable"; the name of the
    // last line is the second, and its value goes into field 1025.
    Write(kFullFile);

    Read(SimulationMode::ValueLocality, false);
    EXPECT_EQ(order_, (std::vector<int>{IDC_RESULT_INSTRUCTIONS, IDC_RESULT_LOADS,
                                        IDC_RESULT_LOAD_LOCALITY}));
    EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], "1000");
    EXPECT_EQ(fields_[IDC_RESULT_LOADS], "250");
    EXPECT_EQ(fields_[IDC_RESULT_LOAD_LOCALITY], "42.5");

    Read(SimulationMode::ValueLocality, true);
    EXPECT_EQ(order_, (std::vector<int>{IDC_RESULT_INSTRUCTIONS, IDC_RESULT_ALUS, IDC_RESULT_LOADS,
                                        IDC_RESULT_LOAD_LOCALITY, IDC_RESULT_ALU_LOCALITY}));
    EXPECT_EQ(fields_[IDC_RESULT_ALUS], "600");
    EXPECT_EQ(fields_[IDC_RESULT_ALU_LOCALITY], "30.1");

    Read(SimulationMode::ValuePrediction, true);
    EXPECT_EQ(order_, (std::vector<int>{IDC_RESULT_INSTRUCTIONS, IDC_RESULT_LOADS,
                                        IDC_RESULT_PREDICTED, IDC_RESULT_CLASSIFIED_PRED,
                                        IDC_RESULT_CLASSIFIED_UNPRED, IDC_RESULT_CORRECT_UNPRED}));
    EXPECT_EQ(fields_[IDC_RESULT_PREDICTED], "40.0");
    EXPECT_EQ(fields_[IDC_RESULT_CLASSIFIED_PRED], "55.0");
    EXPECT_EQ(fields_[IDC_RESULT_CLASSIFIED_UNPRED], "45.0");
    EXPECT_EQ(fields_[IDC_RESULT_CORRECT_UNPRED], "33.3");
}

TEST_F(StatisticsFileTest, SecondUnpredictableAfterClassifiedUnpredGivesItsValue) {
    Write("sim_num_insn 1 sim_num_loads 2 valuePrediction 3 classifiedPred 4 "
          "classifiedUnpred 12 unpredictable 5 unpredictable 9");
    Read(SimulationMode::ValuePrediction, false);
    EXPECT_EQ(fields_[IDC_RESULT_CLASSIFIED_UNPRED], "12");
    EXPECT_EQ(fields_[IDC_RESULT_CORRECT_UNPRED], "9");
}

// The layout of the file carries no meaning: only the token sequence counts.
TEST_F(StatisticsFileTest, WhiteSpaceAndLineEndsCarryNoMeaning) {
    for (const std::string& content : {
             std::string("sim_num_insn\n1000\nsim_num_loads\n\n250\n"),
             std::string("sim_num_insn \t\t 1000 \v\f sim_num_loads\t250"),
             std::string("sim_num_insn 1000\r\nsim_num_loads 250\r\n"),
             std::string("  \n sim_num_loads 250 sim_num_insn 1000 \n"), // any order across passes
         }) {
        Write(content);
        Read(SimulationMode::ValuePrediction, false);
        EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], "1000") << content;
        EXPECT_EQ(fields_[IDC_RESULT_LOADS], "250") << content;
    }
}

TEST_F(StatisticsFileTest, ValueIsWhateverTokenFollowsTheName) {
    Write("sim_num_insn # 1000 sim_num_loads 0x\x01\x02\xff 12");
    Read(SimulationMode::ValuePrediction, false);
    EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], "#");
    EXPECT_EQ(fields_[IDC_RESULT_LOADS], "0x\x01\x02\xff");
}

TEST_F(StatisticsFileTest, NamesMatchWholeTokensCaseSensitively) {
    Write("SIM_NUM_INSN 1 sim_num_insn_x 2 xsim_num_insn 3 Sim_Num_Loads 4 sim_num_insn 5");
    Read(SimulationMode::ValuePrediction, false);
    EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], "5");
    EXPECT_EQ(fields_[IDC_RESULT_LOADS], "") << "only other capitals of the name stand there";
}

TEST_F(StatisticsFileTest, SearchWithinAPassOnlyLooksForward) {
    Write("loadValueLocality 7 sim_num_loads 250 sim_num_insn 1000");
    Read(SimulationMode::ValueLocality, false);
    EXPECT_EQ(fields_[IDC_RESULT_LOADS], "250");
    EXPECT_EQ(fields_[IDC_RESULT_LOAD_LOCALITY], "") << "it stood before sim_num_loads";
    EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], "1000");
}

TEST_F(StatisticsFileTest, FirstOccurrenceAfterTheSearchStartCounts) {
    Write("sim_num_insn 1 sim_num_insn 2 sim_num_loads 3 loadValueLocality 4 loadValueLocality 5");
    Read(SimulationMode::ValueLocality, false);
    EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], "1");
    EXPECT_EQ(fields_[IDC_RESULT_LOAD_LOCALITY], "4");
}

// A statistic that is not there shows nothing: not the last token read, not the name itself,
// and not a token left over from an earlier pass.
TEST_F(StatisticsFileTest, AbsentStatisticsLeaveTheirFieldsEmpty) {
    struct Case {
        const char* content;
        int field;
    } cases[] = {
        {"sim_num_loads 5 other 7", IDC_RESULT_INSTRUCTIONS},
        {"sim_num_insn", IDC_RESULT_INSTRUCTIONS},          // name as the very last token
        {"sim_num_insn 1 sim_num_loads", IDC_RESULT_LOADS}, // same, in a later pass
        {"sim_num_insn 1 sim_num_loads 2", IDC_RESULT_PREDICTED},
        {"sim_num_insn 1 valuePrediction 3 classifiedPred 4 classifiedUnpred 5 unpredictable 6",
         IDC_RESULT_CORRECT_UNPRED}, // one "unpredictable" only
        {"classifiedPred 4 valuePrediction 3", IDC_RESULT_CLASSIFIED_PRED},
        {"", IDC_RESULT_INSTRUCTIONS},
        {" \n\t\r\n", IDC_RESULT_LOADS},
    };
    for (const Case& c : cases) {
        Write(c.content);
        Read(SimulationMode::ValuePrediction, false);
        ASSERT_TRUE(fields_.count(c.field)) << c.content;
        EXPECT_EQ(fields_[c.field], "") << c.content;
    }
}

TEST_F(StatisticsFileTest, FileThatCannotBeOpenedLeavesEveryFieldEmpty) {
    Read(SimulationMode::ValuePrediction, false); // no file at all
    EXPECT_EQ(order_.size(), 6u);
    for (const auto& [id, text] : fields_)
        EXPECT_EQ(text, "") << id;

    // A FIFO must neither block the reader nor be read.
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    Read(SimulationMode::ValueLocality, true);
    EXPECT_EQ(order_.size(), 5u);
    for (const auto& [id, text] : fields_)
        EXPECT_EQ(text, "") << id;
}

TEST_F(StatisticsFileTest, LongTokensAreKeptWhole) {
    const std::string longName(5000, 'n');
    const std::string longValue(300, '7');
    Write(longName + " sim_num_insn " + longValue + " sim_num_loads 2");
    Read(SimulationMode::ValuePrediction, false);
    EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], longValue);
    EXPECT_EQ(fields_[IDC_RESULT_LOADS], "2");
}

TEST_F(StatisticsFileTest, TenMegabytesOfJunkAreReadInOnePassEach) {
    std::string junk;
    junk.reserve(10 << 20);
    uint32_t x = 12345;
    while (junk.size() < (10u << 20)) {
        x = x * 1103515245u + 12345u;
        junk.push_back(static_cast<char>(x >> 24));
    }
    Write(junk + " sim_num_insn 77 ");
    Read(SimulationMode::ValuePrediction, false);
    EXPECT_EQ(fields_[IDC_RESULT_INSTRUCTIONS], "77");
    EXPECT_EQ(fields_[IDC_RESULT_LOADS], "");
}

} // namespace
