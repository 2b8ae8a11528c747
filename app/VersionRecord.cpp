// The version record, kept in the program file itself: its strings, one "key=value" a line, in
// a section of their own that tools find ("objdump -s -j .zemlo_version zemlo", "strings").
#include "res/VersionInfo.h"

#include <array>
#include <cstddef>

namespace {
constexpr std::size_t RecordLength() {
    std::size_t length = 1; // the closing zero
    for (const auto& [key, value] : version::Strings) {
        length += key.size() + 1 + value.size() + 1;
    }
    return length;
}

constexpr std::array<char, RecordLength()> BuildRecord() {
    std::array<char, RecordLength()> record{};
    std::size_t at = 0;
    for (const auto& [key, value] : version::Strings) {
        for (char c : key) {
            record[at++] = c;
        }
        record[at++] = '=';
        for (char c : value) {
            record[at++] = c;
        }
        record[at++] = '\n';
    }
    return record;
}
} // namespace

[[gnu::used, gnu::section(".zemlo_version")]] const std::array<char, RecordLength()>
    kZemloVersionRecord = BuildRecord();
