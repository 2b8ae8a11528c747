/* Conversions between FP and integers: saturation, NaN, rounding modes, flags. */
#include "fp_common.h"

#define CVT_TO_INT(name, insn, type)                                                              \
    static uint64_t name(type a) {                                                                 \
        uint64_t r;                                                                                \
        __asm__ volatile(insn " %0, %1" : "=r"(r) : "f"(a));                                       \
        return r;                                                                                  \
    }
CVT_TO_INT(w_d, "fcvt.w.d", double) CVT_TO_INT(wu_d, "fcvt.wu.d", double)
CVT_TO_INT(l_d, "fcvt.l.d", double) CVT_TO_INT(lu_d, "fcvt.lu.d", double)
CVT_TO_INT(w_s, "fcvt.w.s", float) CVT_TO_INT(wu_s, "fcvt.wu.s", float)
CVT_TO_INT(l_s, "fcvt.l.s", float) CVT_TO_INT(lu_s, "fcvt.lu.s", float)

#define CVT_FROM_INT(name, insn, type)                                                            \
    static type name(uint64_t a) {                                                                 \
        type r;                                                                                    \
        __asm__ volatile(insn " %0, %1" : "=f"(r) : "r"(a));                                       \
        return r;                                                                                  \
    }
CVT_FROM_INT(d_w, "fcvt.d.w", double) CVT_FROM_INT(d_wu, "fcvt.d.wu", double)
CVT_FROM_INT(d_l, "fcvt.d.l", double) CVT_FROM_INT(d_lu, "fcvt.d.lu", double)
CVT_FROM_INT(s_w, "fcvt.s.w", float) CVT_FROM_INT(s_wu, "fcvt.s.wu", float)
CVT_FROM_INT(s_l, "fcvt.s.l", float) CVT_FROM_INT(s_lu, "fcvt.s.lu", float)

int main(void) {
    static const uint64_t doubles[] = {
        0x7FF8000000000000ull, 0xFFF0000000000000ull, 0x7FF0000000000000ull,
        0x7FF4000000000000ull, 0x444B1AE4D6E2EF50ull /* 1e21 */, 0xC44B1AE4D6E2EF50ull,
        0xBFE0000000000000ull /* -0.5 */, 0xBFF0000000000000ull, 0x41EFFFFFFFF00000ull /* 2^32-0.5 */,
        0x41DFFFFFFFE00000ull /* 2^31-0.5 */, 0xC1E0000000100000ull /* -2^31-0.5 */,
        0x43E0000000000000ull /* 2^63 */, 0xC3E0000000000000ull, 0x43F0000000000000ull /* 2^64 */,
        0x4004000000000000ull /* 2.5 */, 0xC00C000000000000ull /* -3.5 */, 0x3FE8000000000000ull,
        0x8000000000000000ull, 0x0000000000000001ull};
    static const char* modes[] = {"rne", "rtz", "rdn", "rup", "rmm"};
    for (unsigned m = 0; m < 5; ++m) {
        set_rounding(m);
        for (unsigned i = 0; i < sizeof doubles / sizeof doubles[0]; ++i) {
            double d = dfrom(doubles[i]);
            float s = (float)d;
            uint64_t r[8];
            unsigned fl[8];
            clear_flags(), r[0] = w_d(d), fl[0] = read_flags();
            clear_flags(), r[1] = wu_d(d), fl[1] = read_flags();
            clear_flags(), r[2] = l_d(d), fl[2] = read_flags();
            clear_flags(), r[3] = lu_d(d), fl[3] = read_flags();
            clear_flags(), r[4] = w_s(s), fl[4] = read_flags();
            clear_flags(), r[5] = wu_s(s), fl[5] = read_flags();
            clear_flags(), r[6] = l_s(s), fl[6] = read_flags();
            clear_flags(), r[7] = lu_s(s), fl[7] = read_flags();
            printf("%s %2u", modes[m], i);
            for (int k = 0; k < 8; ++k)
                printf(" %016" PRIx64 "/%02x", r[k], fl[k]);
            printf("\n");
        }
        static const uint64_t ints[] = {0, 1, (uint64_t)-1, 0x7FFFFFFFull, 0x80000000ull,
                                        0xFFFFFFFFull, 0x1FFFFFFFFFFFFFull, 0x20000000000001ull,
                                        0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull,
                                        0xFFFFFFFFFFFFF800ull, 0x1000001ull, 0x3000003ull,
                                        0x8000000000000401ull, 0xFFFFFFFFFFFFFC00ull};
        for (unsigned i = 0; i < sizeof ints / sizeof ints[0]; ++i) {
            uint64_t r[8];
            unsigned fl[8];
            clear_flags(), r[0] = dbits(d_w(ints[i])), fl[0] = read_flags();
            clear_flags(), r[1] = dbits(d_wu(ints[i])), fl[1] = read_flags();
            clear_flags(), r[2] = dbits(d_l(ints[i])), fl[2] = read_flags();
            clear_flags(), r[3] = dbits(d_lu(ints[i])), fl[3] = read_flags();
            clear_flags(), r[4] = sbits(s_w(ints[i])), fl[4] = read_flags();
            clear_flags(), r[5] = sbits(s_wu(ints[i])), fl[5] = read_flags();
            clear_flags(), r[6] = sbits(s_l(ints[i])), fl[6] = read_flags();
            clear_flags(), r[7] = sbits(s_lu(ints[i])), fl[7] = read_flags();
            printf("%s int %2u", modes[m], i);
            for (int k = 0; k < 8; ++k)
                printf(" %016" PRIx64 "/%02x", r[k], fl[k]);
            printf("\n");
        }
    }
    return 0;
}
