#include "sim/FileTable.h"

#include <unistd.h>

namespace sim {

namespace {
// glibc's default soft limit; a guest that opens more sees EMFILE as it would natively.
constexpr int kMaxDescriptors = 1024;
} // namespace

FileTable::~FileTable() {
    for (int fd : hostFds_)
        if (fd >= 0)
            close(fd);
}

void FileTable::Install(int guestFd, int hostFd) {
    if (guestFd >= static_cast<int>(hostFds_.size()))
        hostFds_.resize(guestFd + 1, -1);
    if (hostFds_[guestFd] >= 0)
        close(hostFds_[guestFd]);
    hostFds_[guestFd] = hostFd;
}

int FileTable::Add(int hostFd, int minimum) {
    for (int g = minimum; g < kMaxDescriptors; ++g) {
        if (g >= static_cast<int>(hostFds_.size()) || hostFds_[g] < 0) {
            Install(g, hostFd);
            return g;
        }
    }
    close(hostFd);
    return -1;
}

int FileTable::Host(int guestFd) const {
    if (guestFd < 0 || guestFd >= static_cast<int>(hostFds_.size()))
        return -1;
    return hostFds_[guestFd];
}

bool FileTable::Close(int guestFd) {
    const int host = Host(guestFd);
    if (host < 0)
        return false;
    close(host);
    hostFds_[guestFd] = -1;
    return true;
}

} // namespace sim
