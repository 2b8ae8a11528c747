/* Single and double arithmetic in every rounding mode (dynamic, through frm, and static in
   the instruction), with the flags each operation raises. */
#include "fp_common.h"

static const uint64_t kDoubles[] = {
    0x3FF0000000000000ull, /* 1 */
    0x3CA0000000000000ull, /* 2^-53: 1 + this is a tie */
    0x3FD5555555555555ull, /* 1/3 */
    0xBFE5555555555555ull, /* -2/3 */
    0x7FEFFFFFFFFFFFFFull, /* max */
    0x0000000000000001ull, /* smallest subnormal */
    0x0010000000000000ull, /* smallest normal */
    0x8000000000000000ull, /* -0 */
    0x7FF0000000000000ull, /* inf */
    0x7FF4000000000000ull, /* signaling NaN */
    0x4004000000000000ull, /* 2.5 */
    0xC00C000000000000ull, /* -3.5 */
};
static const uint32_t kSingles[] = {0x3F800000u, 0x33800000u, 0x3EAAAAABu, 0xBF2AAAABu,
                                    0x7F7FFFFFu, 0x00000001u, 0x00800000u, 0x80000000u,
                                    0x7F800000u, 0x7FA00000u, 0x40200000u, 0xC0600000u};
#define N (sizeof kDoubles / sizeof kDoubles[0])

#define DOP(name, insn)                                                                            \
    static double name(double a, double b) {                                                       \
        double r;                                                                                  \
        __asm__ volatile(insn " %0, %1, %2" : "=f"(r) : "f"(a), "f"(b));                           \
        return r;                                                                                  \
    }
#define SOP(name, insn)                                                                            \
    static float name(float a, float b) {                                                          \
        float r;                                                                                   \
        __asm__ volatile(insn " %0, %1, %2" : "=f"(r) : "f"(a), "f"(b));                           \
        return r;                                                                                  \
    }
DOP(add_d, "fadd.d") DOP(sub_d, "fsub.d") DOP(mul_d, "fmul.d") DOP(div_d, "fdiv.d")
SOP(add_s, "fadd.s") SOP(sub_s, "fsub.s") SOP(mul_s, "fmul.s") SOP(div_s, "fdiv.s")
DOP(add_d_rmm, "fadd.d") DOP(add_d_rtz_static, "fadd.d")

static double fma_d(double a, double b, double c) {
    double r;
    __asm__ volatile("fmadd.d %0, %1, %2, %3" : "=f"(r) : "f"(a), "f"(b), "f"(c));
    return r;
}
static float fma_s(float a, float b, float c) {
    float r;
    __asm__ volatile("fnmsub.s %0, %1, %2, %3" : "=f"(r) : "f"(a), "f"(b), "f"(c));
    return r;
}
static double sqrt_d(double a) {
    double r;
    __asm__ volatile("fsqrt.d %0, %1" : "=f"(r) : "f"(a));
    return r;
}
static float sqrt_s(float a) {
    float r;
    __asm__ volatile("fsqrt.s %0, %1" : "=f"(r) : "f"(a));
    return r;
}
static float narrow(double a) {
    float r;
    __asm__ volatile("fcvt.s.d %0, %1" : "=f"(r) : "f"(a));
    return r;
}

int main(void) {
    static const char* modes[] = {"rne", "rtz", "rdn", "rup", "rmm"};
    for (unsigned m = 0; m < 5; ++m) {
        set_rounding(m);
        for (unsigned i = 0; i < N; ++i) {
            for (unsigned j = 0; j < N; ++j) {
                double a = dfrom(kDoubles[i]), b = dfrom(kDoubles[j]);
                float sa = sfrom(kSingles[i]), sb = sfrom(kSingles[j]);
                uint64_t r[4];
                unsigned fl[4];
                clear_flags(), r[0] = dbits(add_d(a, b)), fl[0] = read_flags();
                clear_flags(), r[1] = dbits(sub_d(a, b)), fl[1] = read_flags();
                clear_flags(), r[2] = dbits(mul_d(a, b)), fl[2] = read_flags();
                clear_flags(), r[3] = dbits(div_d(a, b)), fl[3] = read_flags();
                printf("%s d %2u %2u", modes[m], i, j);
                for (int k = 0; k < 4; ++k)
                    printf(" %016" PRIx64 "/%02x", r[k], fl[k]);
                clear_flags(), r[0] = sbits(add_s(sa, sb)), fl[0] = read_flags();
                clear_flags(), r[1] = sbits(sub_s(sa, sb)), fl[1] = read_flags();
                clear_flags(), r[2] = sbits(mul_s(sa, sb)), fl[2] = read_flags();
                clear_flags(), r[3] = sbits(div_s(sa, sb)), fl[3] = read_flags();
                printf(" s");
                for (int k = 0; k < 4; ++k)
                    printf(" %08" PRIx64 "/%02x", r[k], fl[k]);
                clear_flags(), r[0] = dbits(fma_d(a, b, dfrom(kDoubles[(i + j) % N]))), fl[0] = read_flags();
                clear_flags(), r[1] = sbits(fma_s(sa, sb, sfrom(kSingles[(i + j) % N]))), fl[1] = read_flags();
                printf(" fma %016" PRIx64 "/%02x %08" PRIx64 "/%02x\n", r[0], fl[0], r[1], fl[1]);
            }
            uint64_t r[3];
            unsigned fl[3];
            clear_flags(), r[0] = dbits(sqrt_d(dfrom(kDoubles[i]))), fl[0] = read_flags();
            clear_flags(), r[1] = sbits(sqrt_s(sfrom(kSingles[i]))), fl[1] = read_flags();
            clear_flags(), r[2] = sbits(narrow(dfrom(kDoubles[i]) / 3)), fl[2] = read_flags();
            printf("%s sqrt/narrow %2u %016" PRIx64 "/%02x %08" PRIx64 "/%02x %08" PRIx64 "/%02x\n",
                   modes[m], i, r[0], fl[0], r[1], fl[1], r[2], fl[2]);
        }
    }
    set_rounding(0);
    /* Static rounding modes in the instruction override frm. */
    double a = 1.0, b = dfrom(0x3CA0000000000000ull), r;
    __asm__ volatile("fadd.d %0, %1, %2, rmm" : "=f"(r) : "f"(a), "f"(b));
    printf("static rmm %016" PRIx64 "\n", dbits(r));
    __asm__ volatile("fadd.d %0, %1, %2, rup" : "=f"(r) : "f"(a), "f"(b));
    printf("static rup %016" PRIx64 "\n", dbits(r));
    __asm__ volatile("fadd.d %0, %1, %2, rdn" : "=f"(r) : "f"(-a), "f"(b));
    printf("static rdn %016" PRIx64 "\n", dbits(r));
    /* Flags accrue across operations until cleared; fcsr holds frm and fflags together. */
    clear_flags();
    volatile double z = 0.0, one = 1.0;
    volatile double q = one / z;
    q = q - q;
    unsigned fcsr;
    set_rounding(3);
    __asm__ volatile("frcsr %0" : "=r"(fcsr));
    printf("accrued fcsr %02x\n", fcsr);
    __asm__ volatile("fscsr %0" : : "r"(0x41));
    __asm__ volatile("frcsr %0" : "=r"(fcsr));
    printf("written fcsr %02x flags %02x\n", fcsr, read_flags());
    (void)add_d_rmm, (void)add_d_rtz_static;
    return 0;
}
