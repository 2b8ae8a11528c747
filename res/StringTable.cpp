#include "res/StringTable.h"
#include "res/ControlIds.h"

#include <array>
#include <utility>

namespace {
// The prompts are kept as written, trailing line feed and space included.
constexpr std::array<std::pair<int, std::string_view>, 5> kStrings{{
    {ids::IDS_ABOUTBOX, "&About Zemlo..."},
    {ids::ID_SIMULATOR_START, "Start the simulation after configurating the Zemlo Simulator\n"},
    {ids::ID_SIMULATOR_STOP, "Stop the simulation "},
    {ids::ID_WINDOW_EXIT, "Close the aplication"},
    {ids::ID_HELP_ABOUT, "About Zemlo"},
}};
} // namespace

std::string_view LoadResourceString(int id) {
    for (const auto& [key, text] : kStrings) {
        if (key == id) {
            return text;
        }
    }
    return {};
}
