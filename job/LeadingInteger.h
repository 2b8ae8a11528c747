// The leading integer of a text, as the C library's atoi computes it on the platforms the
// job texts come from: white space skipped, one sign, digits accumulated in a signed 32-bit
// integer that wraps around, negated after a "-".
#pragma once

#include <cstdint>
#include <string_view>

int32_t LeadingInteger(std::string_view text);

// A value is missing when its text is empty or its leading integer is 0.
bool IsMissing(std::string_view text);
