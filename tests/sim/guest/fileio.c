/* File I/O through stdio and the system calls beneath it: create, write, seek, read back,
   stat, rename, unlink. Runs in the current directory. */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

int main(void) {
    FILE* f = fopen("data.txt", "w");
    if (!f)
        return 10;
    for (int i = 0; i < 1000; ++i)
        fprintf(f, "line %d %d\n", i, i * i);
    fclose(f);
    struct stat st;
    if (stat("data.txt", &st) != 0)
        return 11;
    printf("size %lld regular %d\n", (long long)st.st_size, S_ISREG(st.st_mode));
    f = fopen("data.txt", "r");
    char line[64];
    long sum = 0;
    int lines = 0;
    while (fgets(line, sizeof line, f)) {
        int a, b;
        if (sscanf(line, "line %d %d", &a, &b) == 2)
            sum += b;
        ++lines;
    }
    fseek(f, 500, SEEK_SET);
    fgets(line, sizeof line, f);
    printf("lines %d sum %ld at500 %s", lines, sum, line);
    printf("tell %ld\n", ftell(f));
    fclose(f);
    int fd = open("data.txt", O_RDWR);
    if (fd < 0)
        return 12;
    if (pwrite(fd, "XYZ", 3, 5) != 3)
        return 13;
    char head[12] = {0};
    if (pread(fd, head, 11, 0) != 11)
        return 14;
    printf("head %s\n", head);
    printf("lseek end %ld\n", (long)lseek(fd, 0, SEEK_END));
    struct stat fst;
    fstat(fd, &fst);
    printf("fstat size %lld\n", (long long)fst.st_size);
    close(fd);
    if (rename("data.txt", "moved.txt") != 0)
        return 15;
    printf("old gone %d\n", access("data.txt", F_OK) != 0);
    if (unlink("moved.txt") != 0)
        return 16;
    printf("removed %d\n", access("moved.txt", F_OK) != 0);
    printf("missing file %d\n", fopen("no/such/file", "r") == NULL);
    printf("bad descriptor %d\n", (int)write(77, "x", 1));
    return 0;
}
