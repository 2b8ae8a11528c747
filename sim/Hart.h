// The architectural state of the one hardware thread a user program runs on.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sim {

struct Hart {
    uint64_t x[33] = {}; // x0..x31 and the discard register that writes to x0 go to
    uint64_t f[32] = {}; // raw 64-bit values; singles are NaN-boxed
    uint64_t pc = 0;
    uint32_t fflags = 0; // accrued flags not yet folded in from the host (see Csr.cpp)
    uint32_t frm = 0;
    uint64_t reservation = 0; // LR/SC: the reserved address, valid while reserved is set
    bool reserved = false;
    uint64_t instret = 0;
};

static_assert(offsetof(Hart, f) == offsetof(Hart, x) + sizeof(Hart::x),
              "the interpreter addresses both register files from one base");

} // namespace sim
