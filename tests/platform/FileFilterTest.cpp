#include "platform/FileFilter.h"
#include "NamedCase.h"

#include <gtest/gtest.h>

namespace {
using testcases::PrintTo;

struct FilterCase {
    const char* name;
    const char* filter;
    QStringList expected;
};

class FileFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterTest, BecomesQtNameFilters) {
    EXPECT_EQ(QtNameFilters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileFilterTest,
    ::testing::Values(
        FilterCase{"Benchmarks", "Benchmarks (*.ss)|*.ss||", {"Benchmarks (*.ss)"}},
        FilterCase{"Results", "Benchmarks (*.res)|*.res||", {"Benchmarks (*.res)"}},
        FilterCase{"NameWithoutPatterns", "Programs|*.ss;*.exe||", {"Programs (*.ss *.exe)"}},
        FilterCase{"TwoEntries", "A (*.a)|*.a|B (*.b)|*.b||", {"A (*.a)", "B (*.b)"}},
        FilterCase{"NameDisagreesWithPattern", "Text (*.txt)|*.res||", {"Text (*.txt) (*.res)"}},
        FilterCase{"Empty", "", {}},
        FilterCase{"Unterminated", "Benchmarks (*.ss)|*.ss", {"Benchmarks (*.ss)"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
