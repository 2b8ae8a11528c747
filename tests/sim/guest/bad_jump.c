/* Jumps to an address where nothing is mapped. */
int main(void) {
    void (*nowhere)(void) = (void (*)(void))0x7654320;
    nowhere();
    return 0;
}
