/* Integer arithmetic whose results C defines: compared with qemu and with a native build. */
#include <inttypes.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static volatile int64_t values[] = {0, 1, -1, 2, -2, 7, -7, 1000003, INT64_MAX, INT64_MIN,
                                    INT32_MAX, INT32_MIN, 0x123456789abcdefLL, -0x5555555555LL};
#define COUNT (sizeof values / sizeof values[0])

static uint64_t mix(uint64_t h, uint64_t v) { return (h ^ v) * 0x100000001b3ull; }

int main(void) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned i = 0; i < COUNT; ++i)
        for (unsigned j = 0; j < COUNT; ++j) {
            int64_t a = values[i], b = values[j];
            uint64_t ua = (uint64_t)a, ub = (uint64_t)b;
            h = mix(h, ua + ub);
            h = mix(h, ua - ub);
            h = mix(h, ua * ub);
            h = mix(h, (uint64_t)((unsigned __int128)ua * ub >> 64));
            h = mix(h, (uint64_t)((__int128)a * b >> 64));
            if (b != 0 && !(a == INT64_MIN && b == -1)) {
                h = mix(h, (uint64_t)(a / b));
                h = mix(h, (uint64_t)(a % b));
            }
            if (ub != 0) {
                h = mix(h, ua / ub);
                h = mix(h, ua % ub);
            }
            int32_t a32 = (int32_t)a, b32 = (int32_t)b;
            h = mix(h, (uint64_t)(int64_t)(int32_t)((uint32_t)a32 * (uint32_t)b32));
            if (b32 != 0 && !(a32 == INT32_MIN && b32 == -1))
                h = mix(h, (uint64_t)(int64_t)(a32 / b32));
            h = mix(h, ua << (ub & 63));
            h = mix(h, ua >> (ub & 63));
            h = mix(h, (uint64_t)(a >> (ub & 63)));
            h = mix(h, (uint64_t)(int64_t)(int32_t)((uint32_t)a32 << (ub & 31)));
            h = mix(h, (uint64_t)(int64_t)(a32 >> (ub & 31)));
            h = mix(h, (a < b) + 2 * (ua < ub));
        }
    printf("hash %016" PRIx64 "\n", h);

    /* Misaligned loads and stores work, as on RISC-V Linux. */
    unsigned char buffer[32];
    for (int i = 0; i < 32; ++i)
        buffer[i] = (unsigned char)(i * 37);
    uint64_t word, stored;
    uint32_t half;
#if defined(__riscv)
    /* The compiler splits misaligned accesses into bytes: these are the real instructions. */
    __asm__ volatile("ld %0, 0(%1)" : "=r"(word) : "r"(buffer + 3));
    __asm__ volatile("lw %0, 0(%1)" : "=r"(half) : "r"(buffer + 13));
    __asm__ volatile("sd %1, 0(%0)" : : "r"(buffer + 5), "r"(0x1122334455667788ull) : "memory");
    __asm__ volatile("ld %0, 0(%1)" : "=r"(stored) : "r"(buffer + 5));
#else
    memcpy(&word, buffer + 3, 8);
    memcpy(&half, buffer + 13, 4);
    stored = 0x1122334455667788ull;
    memcpy(buffer + 5, &stored, 8);
    memcpy(&stored, buffer + 5, 8);
#endif
    printf("misaligned %016" PRIx64 " %08" PRIx32 " %016" PRIx64 " %02x\n", word, half, stored,
           buffer[4] ^ buffer[13]);

    int64_t total = 0;
    for (int i = 1; i <= 100000; ++i)
        total += (i % 7) * (i / 3) - (i ^ (i >> 2));
    printf("loop %" PRId64 "\n", total);
    return 0;
}
