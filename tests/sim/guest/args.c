/* argv and the environment reach the program as given. */
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    printf("argc %d\n", argc);
    for (int i = 1; i < argc; ++i)
        printf("argv[%d] [%s]\n", i, argv[i]);
    const char* v = getenv("ZEMLO_TEST_VALUE");
    printf("env [%s]\n", v ? v : "(unset)");
    return argc;
}
