#include "run/CommandLine.h"
#include "job/BenchmarkCatalogue.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* name;
    std::function<void(JobSettings&)> change; // applied to the job as the window opens
    const char* benchmark;                    // matched into a tail that starts empty
    const char* line;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class ComposeCommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ComposeCommandLineTest, ComposesTheLineByteForByte) {
    JobSettings s;
    s.benchmark = GetParam().benchmark;
    GetParam().change(s);
    std::string tail;
    MatchBenchmark(s.benchmark, tail);
    EXPECT_EQ(ComposeCommandLine(s, tail), GetParam().line);
}

const auto kAsOpened = [](JobSettings&) {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposeCommandLineTest,
    ::testing::Values(
        LineCase{"PredictionDefaults", kAsOpened, "applu.ss",
                 "sim-zemlo.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -pred 1 "
                 "-assoc 1 -lvpt 512 -history 1 applu.ss < applu.in"},
        LineCase{"PredictionDataAddressDirectMapped",
                 [](JobSettings& s) {
                     s.useDataAddress = true;
                     s.directMapped = true;
                     s.lvptSize = "1024";
                     s.maxInstructions = "50000000";
                 },
                 "swim.ss",
                 "sim-zemlo.exe -redir:sim simout.res -redir:prog progout.res -memaddr 1 -pred 1 "
                 "-assoc 0 -lvpt 1024 -history 1 -max:inst 50000000 swim.ss < swim.in"},
        LineCase{"LocalityOnInstructionsWithHistory",
                 [](JobSettings& s) {
                     s.mode = SimulationMode::ValueLocality;
                     s.localityOnRegisters = false;
                     s.localityOnInstructions = true;
                     s.useLocalityHistory = true;
                     s.localityHistory = "32";
                     s.maxInstructions = "1000000";
                 },
                 "compress95.ss",
                 "sim-narup.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -history "
                 "32 -max:inst 1000000 compress95.ss  < bigtest.in"},
        LineCase{"LocalityOnRegistersDataAddress",
                 [](JobSettings& s) {
                     s.mode = SimulationMode::ValueLocality;
                     s.useDataAddress = true;
                 },
                 "TOMCATV.SS",
                 "sim-tolva.exe -redir:sim simout.res -redir:prog progout.res -memaddr 1 -history "
                 "1 tomcatv.ss <tomcatv.in {uses TOMCATV.MODEL}"},
        LineCase{"NoTailYetEndsWithHistory",
                 [](JobSettings& s) { s.mode = SimulationMode::ValueLocality; }, "mine.ss",
                 "sim-tolva.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -history "
                 "1"},
        LineCase{"NoTailYetEndsWithMaxInstructions",
                 [](JobSettings& s) { s.maxInstructions = "0"; }, "mine.ss",
                 "sim-zemlo.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -pred 1 "
                 "-assoc 1 -lvpt 512 -history 1 -max:inst 0"},
        LineCase{"HistoryTextKeptAsTyped",
                 [](JobSettings& s) {
                     s.mode = SimulationMode::ValueLocality;
                     s.useLocalityHistory = true;
                     s.localityHistory = " 64";
                 },
                 "apsi.ss",
                 "sim-tolva.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -history "
                 " 64 apsi.ss < apsi.in"},
        LineCase{"HistoryTrailingLettersKept",
                 [](JobSettings& s) {
                     s.mode = SimulationMode::ValueLocality;
                     s.useLocalityHistory = true;
                     s.localityHistory = "12abc";
                 },
                 "apsi.ss",
                 "sim-tolva.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -history "
                 "12abc apsi.ss < apsi.in"},
        LineCase{"PredictionAlwaysHistoryOne",
                 [](JobSettings& s) {
                     s.useLocalityHistory = true;
                     s.localityHistory = "64";
                     s.lvptSize = "12abc";
                 },
                 "perl.ss",
                 "sim-zemlo.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -pred 1 "
                 "-assoc 1 -lvpt 12abc -history 1 perl.ss scrabbl.pl < scrabbl.in {uses "
                 "dictionary}"},
        LineCase{"LocalityIgnoresLvptAndOrganisation",
                 [](JobSettings& s) {
                     s.mode = SimulationMode::ValueLocality;
                     s.directMapped = true;
                     s.lvptSize = "8";
                     s.usePredictionHistory = true;
                     s.hybridPrediction = true;
                 },
                 "ijpeg.ss",
                 "sim-tolva.exe -redir:sim simout.res -redir:prog progout.res -memaddr 0 -history "
                 "1 ijpeg.ss -image_file vigo.ppm -compression.quality 90 "
                 "-compression.optimize_coding 0 -compression.smoothing_factor 90 "
                 "-difference.image 1 -difference.x_stride 10 -difference.y_stride 10 -verbose 1 "
                 "-GO.findoptcomp"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
