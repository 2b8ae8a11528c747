/* Writes far past the end of the program's memory. */
#include <stdint.h>
int main(void) {
    volatile uint64_t* beyond = (volatile uint64_t*)(uintptr_t)0x500000000ull;
    *beyond = 1;
    return 0;
}
