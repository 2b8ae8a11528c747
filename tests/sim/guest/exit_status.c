/* Exit statuses: from main's return, from exit() after atexit handlers, and from abort. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void goodbye(void) { puts("atexit handler ran"); }

int main(int argc, char** argv) {
    atexit(goodbye);
    if (argc > 1 && strcmp(argv[1], "abort") == 0) {
        puts("aborting");
        fflush(stdout);
        abort();
    }
    if (argc > 1 && strcmp(argv[1], "exit") == 0)
        exit(57);
    printf("returning 42\n");
    return 42;
}
