/* Reads standard input to its end: counts, checksum, and the first line upper-cased. */
#include <ctype.h>
#include <stdio.h>

int main(void) {
    long bytes = 0, lines = 0;
    unsigned long hash = 5381;
    int c, first = 1;
    while ((c = getchar()) != EOF) {
        ++bytes;
        hash = hash * 33 + (unsigned)c;
        if (first)
            putchar(toupper(c));
        if (c == '\n')
            ++lines, first = 0;
    }
    printf("bytes %ld lines %ld hash %lu\n", bytes, lines, hash);
    return 0;
}
