#include "job/LeadingInteger.h"

namespace {

// Exactly the six characters of the C locale's isspace; a locale must not widen the set.
bool IsLeadingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int32_t LeadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsLeadingSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic gives the 32-bit wrap-around without signed overflow.
    uint32_t value = 0;
    for (; i < text.size() && IsDecimalDigit(text[i]); ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

bool IsMissing(std::string_view text) {
    return text.empty() || LeadingInteger(text) == 0;
}
