/* Large and small allocations: blocks big enough for mmap, growth by realloc (mremap),
   freeing and allocating again. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(void) {
    uint64_t sum = 0;
    for (int round = 0; round < 3; ++round) {
        size_t size = (size_t)(64 + 32 * round) << 20; /* 64, 96, 128 MiB */
        unsigned char* big = malloc(size);
        if (!big)
            return 1;
        for (size_t i = 0; i < size; i += 4096)
            big[i] = (unsigned char)(i >> 12);
        for (size_t i = 0; i < size; i += 4096)
            sum += big[i];
        free(big);
    }
    char* grow = malloc(1 << 20);
    memset(grow, 'a', 1 << 20);
    for (int i = 0; i < 6; ++i) {
        size_t old = (size_t)1 << (20 + i);
        grow = realloc(grow, old * 2);
        if (!grow)
            return 2;
        memset(grow + old, 'a' + i + 1, old);
    }
    for (size_t i = 0; i < ((size_t)1 << 26); i += 65536)
        sum += (unsigned char)grow[i];
    free(grow);
    void* small[1000];
    for (int i = 0; i < 1000; ++i)
        small[i] = calloc(1, (size_t)(i % 97) + 1);
    for (int i = 0; i < 1000; i += 2)
        free(small[i]);
    for (int i = 0; i < 1000; i += 2)
        small[i] = malloc(48);
    for (int i = 0; i < 1000; ++i)
        free(small[i]);
    printf("sum %llu\n", (unsigned long long)sum);
    return 0;
}
