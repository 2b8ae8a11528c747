/* Formatted output of doubles, integers and strings, and scanning them back. */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(void) {
    const double values[] = {0.0, -0.0, 1.0 / 3.0, 2.5, 1e300, 4.9e-324, -123456.789, M_PI, 1e-5};
    for (unsigned i = 0; i < sizeof values / sizeof values[0]; ++i)
        printf("%.17g %e %a %10.3f %g\n", values[i], values[i], values[i], values[i], values[i]);
    printf("%f %f %f\n", sqrt(2.0), exp(1.0), log(10.0));
    printf("%s|%-8s|%8s|%c|%5d|%-5d|%05d|%x|%o|%lu\n", "text", "left", "right", 'c', 42, 42, 42,
           255u, 8u, 1234567890123ul);
    double d;
    int n;
    char word[16];
    if (sscanf("3.25 17 hello", "%lf %d %15s", &d, &n, word) == 3)
        printf("scanned %g %d %s\n", d, n, word);
    printf("strtod %.17g %.17g\n", strtod("0.1", NULL), strtod("1e-310", NULL));
    char buffer[64];
    snprintf(buffer, sizeof buffer, "%08.3f|%+d", -3.14159, 7);
    puts(buffer);
    fprintf(stderr, "to stderr\n");
    return (int)strlen(buffer);
}
