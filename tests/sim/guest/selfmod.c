/* Code written at run time: a function is generated into an executable mapping, run,
   rewritten and, after fence.i, run again as rewritten. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>

static void emit_return_constant(uint32_t* code, int value) {
    code[0] = 0x00000513u | ((uint32_t)value & 0xFFF) << 20; /* addi a0, zero, value */
    code[1] = 0x00008067u;                                   /* jalr zero, 0(ra) */
}

int main(void) {
    uint32_t* code = mmap(NULL, 4096, PROT_READ | PROT_WRITE | PROT_EXEC,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (code == MAP_FAILED)
        return 1;
    int (*function)(void) = (int (*)(void))(void*)code;
    int total = 0;
    for (int value = 1; value <= 5; ++value) {
        emit_return_constant(code, value * 11);
        __asm__ volatile("fence.i" ::: "memory");
        int got = function();
        printf("generated function returns %d\n", got);
        total += got;
    }
    return total == 165 ? 0 : 2;
}
