/* NaN-boxing, fmin/fmax, comparisons, sign injection and classification. */
#include "fp_common.h"

static uint64_t raw_after(const char* what, uint64_t in);

#define F2(name, insn)                                                                             \
    static uint64_t name(uint64_t a, uint64_t b) {                                                 \
        uint64_t r;                                                                                \
        __asm__ volatile("fmv.d.x ft0, %1\n\tfmv.d.x ft1, %2\n\t" insn " ft2, ft0, ft1\n\t"        \
                         "fmv.x.d %0, ft2"                                                         \
                         : "=r"(r) : "r"(a), "r"(b) : "ft0", "ft1", "ft2");                        \
        return r;                                                                                  \
    }
#define CMP(name, insn)                                                                            \
    static uint64_t name(uint64_t a, uint64_t b) {                                                 \
        uint64_t r;                                                                                \
        __asm__ volatile("fmv.d.x ft0, %1\n\tfmv.d.x ft1, %2\n\t" insn " %0, ft0, ft1"             \
                         : "=r"(r) : "r"(a), "r"(b) : "ft0", "ft1");                               \
        return r;                                                                                  \
    }
#define CLASS(name, insn)                                                                          \
    static uint64_t name(uint64_t a) {                                                             \
        uint64_t r;                                                                                \
        __asm__ volatile("fmv.d.x ft0, %1\n\t" insn " %0, ft0" : "=r"(r) : "r"(a) : "ft0");        \
        return r;                                                                                  \
    }
F2(fmin_d, "fmin.d") F2(fmax_d, "fmax.d") F2(fmin_s, "fmin.s") F2(fmax_s, "fmax.s")
F2(fadd_s, "fadd.s") F2(fsgnj_s, "fsgnj.s") F2(fsgnjn_s, "fsgnjn.s") F2(fsgnjx_s, "fsgnjx.s")
F2(fsgnjx_d, "fsgnjx.d") F2(fsgnjn_d, "fsgnjn.d")
CMP(feq_d, "feq.d") CMP(flt_d, "flt.d") CMP(fle_d, "fle.d")
CMP(feq_s, "feq.s") CMP(flt_s, "flt.s") CMP(fle_s, "fle.s")
CLASS(fclass_d, "fclass.d") CLASS(fclass_s, "fclass.s")

static uint64_t raw_after(const char* what, uint64_t in) {
    uint64_t r;
    if (what[0] == 'w') /* fmv.w.x boxes the low word; fmv.x.w sign-extends it */
        __asm__ volatile("fmv.w.x ft0, %1\n\tfmv.x.d %0, ft0" : "=r"(r) : "r"(in) : "ft0");
    else
        __asm__ volatile("fmv.d.x ft0, %1\n\tfmv.x.w %0, ft0" : "=r"(r) : "r"(in) : "ft0");
    return r;
}

int main(void) {
#define BOX(x) (0xFFFFFFFF00000000ull | (x))
    static const uint64_t values[] = {
        0x0000000000000000ull, 0x8000000000000000ull, 0x3FF0000000000000ull,
        0xBFF0000000000000ull, 0x7FF8000000000000ull, 0x7FF0000000000001ull,
        0xFFF0000000000000ull, 0x000FFFFFFFFFFFFFull, BOX(0x00000000u), BOX(0x80000000u),
        BOX(0x3F800000u), BOX(0x7FC00000u), BOX(0x7F800001u), BOX(0xFF800000u),
        BOX(0x007FFFFFu), 0x000000003F800000ull /* a single that is not boxed */,
        0xFFFFFFFE3F800000ull /* nearly boxed */, BOX(0xFFC00001u)};
    const unsigned n = sizeof values / sizeof values[0];
    for (unsigned i = 0; i < n; ++i) {
        printf("%2u class %03" PRIx64 " %03" PRIx64 " mv %016" PRIx64 " %016" PRIx64 "\n", i,
               fclass_d(values[i]), fclass_s(values[i]), raw_after("w", values[i]),
               raw_after("x", values[i]));
        for (unsigned j = 0; j < n; ++j) {
            uint64_t a = values[i], b = values[j], r[10];
            unsigned fl[10];
            clear_flags(), r[0] = fmin_d(a, b), fl[0] = read_flags();
            clear_flags(), r[1] = fmax_d(a, b), fl[1] = read_flags();
            clear_flags(), r[2] = fmin_s(a, b), fl[2] = read_flags();
            clear_flags(), r[3] = fmax_s(a, b), fl[3] = read_flags();
            clear_flags(), r[4] = fadd_s(a, b), fl[4] = read_flags();
            r[5] = fsgnj_s(a, b), r[6] = fsgnjn_s(a, b), r[7] = fsgnjx_s(a, b);
            r[8] = fsgnjx_d(a, b), r[9] = fsgnjn_d(a, b);
            printf("%2u %2u", i, j);
            for (int k = 0; k < 5; ++k)
                printf(" %016" PRIx64 "/%02x", r[k], fl[k]);
            for (int k = 5; k < 10; ++k)
                printf(" %016" PRIx64, r[k]);
            uint64_t c[6];
            unsigned cf[6];
            clear_flags(), c[0] = feq_d(a, b), cf[0] = read_flags();
            clear_flags(), c[1] = flt_d(a, b), cf[1] = read_flags();
            clear_flags(), c[2] = fle_d(a, b), cf[2] = read_flags();
            clear_flags(), c[3] = feq_s(a, b), cf[3] = read_flags();
            clear_flags(), c[4] = flt_s(a, b), cf[4] = read_flags();
            clear_flags(), c[5] = fle_s(a, b), cf[5] = read_flags();
            printf(" cmp");
            for (int k = 0; k < 6; ++k)
                printf(" %" PRIu64 "/%02x", c[k], cf[k]);
            printf("\n");
        }
    }
    return 0;
}
