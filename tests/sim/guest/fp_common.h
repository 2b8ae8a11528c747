/* Helpers of the floating-point test programs: run one instruction with given operands and
   print its result bits and the flags it raised. */
#include <inttypes.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static inline void clear_flags(void) { __asm__ volatile("fsflags x0"); }
static inline unsigned read_flags(void) {
    unsigned f;
    __asm__ volatile("frflags %0" : "=r"(f));
    return f;
}
static inline void set_rounding(unsigned rm) { __asm__ volatile("fsrm %0" : : "r"(rm)); }
static inline uint64_t dbits(double d) {
    uint64_t u;
    memcpy(&u, &d, 8);
    return u;
}
static inline uint32_t sbits(float f) {
    uint32_t u;
    memcpy(&u, &f, 4);
    return u;
}
static inline double dfrom(uint64_t u) {
    double d;
    memcpy(&d, &u, 8);
    return d;
}
static inline float sfrom(uint32_t u) {
    float f;
    memcpy(&f, &u, 4);
    return f;
}
