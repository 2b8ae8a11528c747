// A writer in another process holding an exclusive lock on a file until it is killed: the
// sharing violation of the file checks, made real.
#pragma once

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

class LockingWriter {
public:
    explicit LockingWriter(const std::string& path) {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            const int fd = open(path.c_str(), O_WRONLY);
            const char ok = (fd >= 0 && flock(fd, LOCK_EX) == 0) ? '1' : '0';
            (void)!write(ready[1], &ok, 1);
            for (;;) {
                pause();
            }
        }
        close(ready[1]);
        char ok = '0';
        locked_ = read(ready[0], &ok, 1) == 1 && ok == '1';
        close(ready[0]);
    }
    ~LockingWriter() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool locked() const { return locked_; }

private:
    pid_t pid_ = -1;
    bool locked_ = false;
};
