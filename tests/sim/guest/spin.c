/* Never ends by itself: for the instruction limit. */
int main(void) {
    volatile unsigned long n = 0;
    for (;;)
        ++n;
}
