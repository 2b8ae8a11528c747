// The statistics file as the window reads it.
#include "sim/StatisticsWriter.h"
#include "results/StatisticsFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace sim {
namespace {

TEST(StatisticsWriter, OneLinePerStatisticNameValueHashDescription) {
    StatisticsWriter stats;
    stats.Add("sim_num_insn", uint64_t{1234567}, "total number of instructions executed");
    stats.Add("sim_inst_rate", 2.5e8, "simulation speed");
    stats.Add("classifiedUnpred", std::string("12"), "loads classified unpredictable");
    const std::string text = stats.Text();
    std::istringstream lines(text);
    std::string line;
    std::vector<std::vector<std::string>> rows;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<std::string> row;
        for (std::string w; words >> w;)
            row.push_back(w);
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "sim_num_insn");
    EXPECT_EQ(rows[0][1], "1234567");
    EXPECT_EQ(rows[0][2], "#");
    EXPECT_EQ(rows[1][1], "250000000.0000");
    EXPECT_EQ(rows[2][1], "12");
}

TEST(StatisticsWriter, WindowReaderFindsEngineStatistics) {
    StatisticsWriter stats;
    stats.Add("sim_num_insn", uint64_t{1000}, "total number of instructions executed");
    stats.Add("sim_num_loads", uint64_t{250}, "total number of loads executed");
    stats.Add("sim_num_stores", uint64_t{100}, "total number of stores executed");
    const std::string path = testing::TempDir() + "/engine-stats.res";
    ASSERT_TRUE(stats.WriteTo(path));
    std::map<int, std::string> fields;
    ReadStatisticsFile(
        SimulationMode::ValuePrediction, false,
        [&](int id, const std::string& text) { fields[id] = text; }, path);
    EXPECT_EQ(fields[1020], "1000");
    EXPECT_EQ(fields[1021], "250");
    std::filesystem::remove(path);
}

TEST(StatisticsWriter, UnwritableFileIsReported) {
    StatisticsWriter stats;
    stats.Add("sim_num_insn", uint64_t{1}, "x");
    EXPECT_FALSE(stats.WriteTo("/nonexistent-directory/simout.res"));
    EXPECT_FALSE(stats.WriteTo("/dev/full"));
}

} // namespace
} // namespace sim
