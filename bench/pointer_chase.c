/* An integer workload of about 1e9 instructions: a random cyclic permutation in malloc'd
   arrays (large enough that malloc maps them), walked again and again with a little
   arithmetic on each hop. The arrays fit in the host's caches, so that the simulator is
   measured rather than the memory. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    long rounds = argc > 1 ? atol(argv[1]) : 400;
    const size_t n = (size_t)1 << 17; /* 1 MiB of links, 512 KiB of weights */
    size_t* next = malloc(n * sizeof *next);
    uint32_t* weight = malloc(n * sizeof *weight);
    if (!next || !weight)
        return 1;
    for (size_t i = 0; i < n; ++i)
        next[i] = i;
    uint64_t state = 88172645463325252ull;
    for (size_t i = n - 1; i > 0; --i) { /* Sattolo's shuffle: one cycle through all */
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        size_t j = state % i;
        size_t t = next[i];
        next[i] = next[j];
        next[j] = t;
        weight[i] = (uint32_t)state;
    }
    uint64_t checksum = 0;
    size_t at = 0;
    for (long r = 0; r < rounds; ++r)
        for (size_t k = 0; k < n; ++k) {
            at = next[at];
            checksum = checksum * 31 + (weight[at] ^ (uint32_t)k);
        }
    printf("checksum %llu\n", (unsigned long long)checksum);
    free(next);
    free(weight);
    return 0;
}
