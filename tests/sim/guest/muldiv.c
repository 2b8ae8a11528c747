/* The RISC-V M extension's corner cases, straight from the instructions (C leaves division
   by zero and INT_MIN / -1 undefined, RISC-V defines them). */
#include <inttypes.h>
#include <stdint.h>
#include <stdio.h>

#define R(op, a, b)                                                                                \
    ({                                                                                             \
        uint64_t r_;                                                                               \
        __asm__ volatile(op " %0, %1, %2" : "=r"(r_) : "r"(a), "r"(b));                            \
        r_;                                                                                        \
    })

int main(void) {
    static const uint64_t v[] = {0, 1, (uint64_t)-1, 2, (uint64_t)INT64_MIN, INT64_MAX,
                                 (uint64_t)INT32_MIN, INT32_MAX, 0xFFFFFFFFull, 0x80000000ull,
                                 0x123456789ull, (uint64_t)-12345};
    const unsigned n = sizeof v / sizeof v[0];
    for (unsigned i = 0; i < n; ++i)
        for (unsigned j = 0; j < n; ++j) {
            uint64_t a = v[i], b = v[j];
            printf("%2u %2u div %016" PRIx64 " divu %016" PRIx64 " rem %016" PRIx64
                   " remu %016" PRIx64 "\n",
                   i, j, R("div", a, b), R("divu", a, b), R("rem", a, b), R("remu", a, b));
            printf("      divw %016" PRIx64 " divuw %016" PRIx64 " remw %016" PRIx64
                   " remuw %016" PRIx64 "\n",
                   R("divw", a, b), R("divuw", a, b), R("remw", a, b), R("remuw", a, b));
            printf("      mul %016" PRIx64 " mulh %016" PRIx64 " mulhsu %016" PRIx64
                   " mulhu %016" PRIx64 " mulw %016" PRIx64 "\n",
                   R("mul", a, b), R("mulh", a, b), R("mulhsu", a, b), R("mulhu", a, b),
                   R("mulw", a, b));
        }
    return 0;
}
