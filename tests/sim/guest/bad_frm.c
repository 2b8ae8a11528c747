/* A dynamic-rounding FP instruction while frm holds a reserved mode (5). */
int main(void) {
    volatile double a = 1.0, b = 2.0;
    __asm__ volatile("fsrm %0" : : "r"(5));
    volatile double c = a + b;
    return (int)c;
}
