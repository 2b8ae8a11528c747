/* Atomic memory operations and LR/SC, word and doubleword. */
#include <inttypes.h>
#include <stdint.h>
#include <stdio.h>

#define AMO(op, addr, value)                                                                       \
    ({                                                                                             \
        uint64_t old_;                                                                             \
        __asm__ volatile(op " %0, %2, (%1)" : "=r"(old_) : "r"(addr), "r"(value) : "memory");      \
        old_;                                                                                      \
    })

int main(void) {
    static int64_t d = -5;
    static int32_t w = -5;
    const char* ops[] = {"amoswap", "amoadd", "amoxor", "amoand", "amoor",
                         "amomin",  "amomax", "amominu", "amomaxu"};
    static const int64_t operands[] = {3, -9, 0x7fffffff, -0x80000000LL, 0x123456789LL};
    for (unsigned k = 0; k < sizeof operands / sizeof operands[0]; ++k) {
        uint64_t x = (uint64_t)operands[k];
        uint64_t olds[18];
        olds[0] = AMO("amoswap.d", &d, x), olds[1] = AMO("amoadd.d", &d, x);
        olds[2] = AMO("amoxor.d", &d, x), olds[3] = AMO("amoand.d", &d, x);
        olds[4] = AMO("amoor.d", &d, x), olds[5] = AMO("amomin.d", &d, x);
        olds[6] = AMO("amomax.d", &d, x), olds[7] = AMO("amominu.d", &d, x);
        olds[8] = AMO("amomaxu.d", &d, x);
        olds[9] = AMO("amoswap.w", &w, x), olds[10] = AMO("amoadd.w", &w, x);
        olds[11] = AMO("amoxor.w", &w, x), olds[12] = AMO("amoand.w", &w, x);
        olds[13] = AMO("amoor.w", &w, x), olds[14] = AMO("amomin.w", &w, x);
        olds[15] = AMO("amomax.w", &w, x), olds[16] = AMO("amominu.w", &w, x);
        olds[17] = AMO("amomaxu.w", &w, x);
        for (int i = 0; i < 18; ++i)
            printf("%s.%c %016" PRIx64 "\n", ops[i % 9], i < 9 ? 'd' : 'w', olds[i]);
        printf("now %016" PRIx64 " %08" PRIx32 "\n", (uint64_t)d, (uint32_t)w);
    }
    /* LR/SC: a reserved store succeeds; a second SC without a reservation fails. */
    uint64_t value, failed;
    __asm__ volatile("lr.d %0, (%2)\n\tsc.d %1, %3, (%2)"
                     : "=&r"(value), "=&r"(failed) : "r"(&d), "r"(77ull) : "memory");
    printf("lr.d %016" PRIx64 " sc.d %" PRIu64 " now %" PRId64 "\n", value, failed, d);
    __asm__ volatile("sc.d %0, %2, (%1)" : "=&r"(failed) : "r"(&d), "r"(88ull) : "memory");
    printf("sc.d again %" PRIu64 " now %" PRId64 "\n", failed, d);
    __asm__ volatile("lr.w %0, (%2)\n\tsc.w %1, %3, (%2)"
                     : "=&r"(value), "=&r"(failed) : "r"(&w), "r"(-3) : "memory");
    printf("lr.w %016" PRIx64 " sc.w %" PRIu64 " now %d\n", value, failed, w);
    /* The compiler's own atomics. */
    static long counter;
    for (int i = 0; i < 1000; ++i)
        __atomic_fetch_add(&counter, i, __ATOMIC_SEQ_CST);
    long expected = counter;
    int swapped = __atomic_compare_exchange_n(&counter, &expected, 5, 0, __ATOMIC_SEQ_CST,
                                              __ATOMIC_SEQ_CST);
    printf("counter %ld swapped %d now %ld\n", expected, swapped, counter);
    return 0;
}
