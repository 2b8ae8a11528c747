// The executable's version record, compiled into the program.
#pragma once

#include <array>
#include <string_view>
#include <utility>

namespace version {
constexpr std::array<int, 4> FileVersion{1, 0, 0, 1};
constexpr std::array<int, 4> ProductVersion{1, 0, 0, 1};
constexpr int Language = 0x0409; // U.S. English
constexpr int CodePage = 1200;

// The string block, in its order.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> Strings{{
    {"CompanyName", ""},
    {"FileDescription", "Zemlo MFC Application"},
    {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "Zemlo"},
    {"LegalCopyright", "Copyright (C) 2026 Zemlo"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "Zemlo.EXE"},
    {"ProductName", "Zemlo Application"},
    {"ProductVersion", "1, 0, 0, 1"},
}};
} // namespace version
