#include "job/BenchmarkCatalogue.h"

#include <gtest/gtest.h>

namespace {

TEST(BenchmarkCatalogueTest, HoldsTheTwelveTailsCharacterForCharacter) {
    const std::pair<const char*, const char*> expected[] = {
        {"applu.ss", " applu.ss < applu.in"},
        {"apsi.ss", " apsi.ss < apsi.in"},
        {"cc1.ss", " cc1.ss -funroll-loops -fforce-mem -fcse-follow-jumps -fcse-skip-blocks "
                   "-fexpensive-optimizations -fstrength-reduce -fpeephole -fschedule-insns "
                   "-finline-functions -fschedule-insns2 -O < 1stmt.i"},
        {"compress95.ss", " compress95.ss  < bigtest.in"},
        {"fpppp.ss", " fpppp.ss < natoms.in"},
        {"hydro2d.ss", " hydro2d.ss < hydro2d.in {uses HYDRO2D.MODEL}"},
        {"ijpeg.ss", " ijpeg.ss -image_file vigo.ppm -compression.quality 90 "
                     "-compression.optimize_coding 0 -compression.smoothing_factor 90 "
                     "-difference.image 1 -difference.x_stride 10 -difference.y_stride 10 "
                     "-verbose 1 -GO.findoptcomp"},
        {"perl.ss", " perl.ss scrabbl.pl < scrabbl.in {uses dictionary}"},
        {"su2cor.ss", " su2cor.ss < su2cor.in {uses SU2COR.MODEL}"},
        {"swim.ss", " swim.ss < swim.in"},
        {"tomcatv.ss", " tomcatv.ss <tomcatv.in {uses TOMCATV.MODEL}"},
        {"wave5.ss", " wave5.ss < wave5.in"},
    };
    ASSERT_EQ(BenchmarkCatalogue.size(), std::size(expected));
    for (size_t i = 0; i < BenchmarkCatalogue.size(); ++i) {
        EXPECT_EQ(BenchmarkCatalogue[i].name, expected[i].first) << "entry " << i + 1;
        EXPECT_EQ(BenchmarkCatalogue[i].tail, expected[i].second) << "entry " << i + 1;
    }
}

struct MatchCase {
    const char* name;
    const char* benchmark;
    const char* tailAfter; // the tail when it started as "previous"
};

void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.name;
}

class MatchBenchmarkTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchBenchmarkTest, SetsTheMatchingTailOrKeepsThePreviousOne) {
    std::string tail = "previous";
    MatchBenchmark(GetParam().benchmark, tail);
    EXPECT_EQ(tail, GetParam().tailAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchBenchmarkTest,
    ::testing::Values(
        MatchCase{"Exact", "applu.ss", " applu.ss < applu.in"},
        MatchCase{"UpperCase", "APPLU.SS", " applu.ss < applu.in"},
        MatchCase{"MixedCase", "Applu.Ss", " applu.ss < applu.in"},
        MatchCase{"TwoSpacesBeforeRedirection", "compress95.ss", " compress95.ss  < bigtest.in"},
        MatchCase{"RedirectionWrittenTogether", "TOMCATV.SS",
                  " tomcatv.ss <tomcatv.in {uses TOMCATV.MODEL}"},
        MatchCase{"LastEntry", "wave5.ss", " wave5.ss < wave5.in"},
        MatchCase{"WithoutExtension", "applu", "previous"},
        MatchCase{"CharactersBefore", "xapplu.ss", "previous"},
        MatchCase{"CharactersAfter", "applu.ss.bak", "previous"},
        MatchCase{"PrefixOfName", "applu.s", "previous"},
        MatchCase{"WithDirectory", "dir/applu.ss", "previous"}, MatchCase{"Empty", "", "previous"},
        // Only A-Z fold: Latin-1 capitals are other letters, not case variants of ASCII ones.
        MatchCase{"NoFoldingBeyondAscii", "appl\xdc.ss", "previous"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatchBenchmarkTest, UnknownNameKeepsTheTailOfTheLastKnownOne) {
    std::string tail;
    MatchBenchmark("mine.ss", tail);
    EXPECT_EQ(tail, "") << "no Start has matched yet";
    MatchBenchmark("swim.ss", tail);
    MatchBenchmark("mine.ss", tail);
    EXPECT_EQ(tail, " swim.ss < swim.in");
}

} // namespace
