// Table rows print as their names in test output, not as bytes.
#pragma once

#include <ostream>

namespace testcases {
template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}
} // namespace testcases
