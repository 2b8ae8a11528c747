/* Prints what /proc/self/exe names: the program itself, not whatever runs it. */
#include <stdio.h>
#include <unistd.h>
int main(void) {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n < 0)
        return 1;
    path[n] = '\0';
    puts(path);
    return 0;
}
