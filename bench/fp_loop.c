/* A floating-point kernel of about 1e9 instructions: a relaxation sweep over a small grid
   that stays in cache, so that what is measured is the simulator, not memory. */
#include <stdio.h>
#include <stdlib.h>

#define N 64

int main(int argc, char** argv) {
    int sweeps = argc > 1 ? atoi(argv[1]) : 12000;
    static double grid[N][N], next[N][N];
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j)
            grid[i][j] = (i == 0 || j == 0) ? 1.0 : 0.0;
    for (int s = 0; s < sweeps; ++s) {
        for (int i = 1; i < N - 1; ++i)
            for (int j = 1; j < N - 1; ++j)
                next[i][j] = 0.25 * (grid[i - 1][j] + grid[i + 1][j] + grid[i][j - 1] + grid[i][j + 1]);
        for (int i = 1; i < N - 1; ++i)
            for (int j = 1; j < N - 1; ++j)
                grid[i][j] = next[i][j];
    }
    double sum = 0;
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j)
            sum += grid[i][j];
    printf("sum %.10f\n", sum);
    return 0;
}
