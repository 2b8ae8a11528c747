/* An atomic on a misaligned address (ordinary misaligned accesses are fine). */
#include <stdint.h>
int main(void) {
    static uint64_t words[4];
    char* p = (char*)words + 2;
    volatile uint32_t plain = *(volatile uint32_t*)(void*)p; /* allowed */
    uint32_t old;
    __asm__ volatile("amoadd.w %0, %2, (%1)" : "=r"(old) : "r"(p), "r"(1) : "memory");
    return (int)(old + plain);
}
