// "0x..." text of an address or word, for messages.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace sim {

inline std::string HexText(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

} // namespace sim
