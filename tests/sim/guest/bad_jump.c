/* Jumps to an address where nothing is mapped: inside the simulated memory, or far past it. */
#include <stdint.h>
int main(int argc, char** argv) {
    (void)argv;
    uintptr_t target = argc > 1 ? (uintptr_t)0x500000000ull : (uintptr_t)0x7654320;
    void (*nowhere)(void) = (void (*)(void))target;
    nowhere();
    return 0;
}
