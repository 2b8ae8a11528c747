#include "job/BenchmarkCatalogue.h"

// The tails are reproduced character for character: compress95's two spaces before "<",
// tomcatv's "<" written against its file name and the notes in braces all reach the line.
const std::array<BenchmarkEntry, 12> BenchmarkCatalogue = {{
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
}};

namespace {

// Only A-Z fold: an 8-bit letter of some code page must not compare equal to another.
char FoldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i]))
            return false;
    return true;
}

} // namespace

void MatchBenchmark(std::string_view benchmark, std::string& benchmarkTail) {
    for (const BenchmarkEntry& entry : BenchmarkCatalogue) {
        if (EqualIgnoringAsciiCase(entry.name, benchmark)) {
            benchmarkTail = entry.tail;
            return;
        }
    }
}
