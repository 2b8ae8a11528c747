// The guest's file descriptors. Each open guest descriptor owns a host descriptor of its own
// (a dup for the standard ones), so that nothing the guest does can close or reach a host
// descriptor it was not given, such as the simulator's statistics file.
#pragma once

#include <vector>

namespace sim {

class FileTable {
public:
    FileTable() = default;
    ~FileTable();
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;

    // Installs host descriptor hostFd (taken over) as guest descriptor guestFd.
    void Install(int guestFd, int hostFd);
    // Takes over hostFd under the lowest free guest number at or above minimum.
    int Add(int hostFd, int minimum = 0);
    // The host descriptor behind a guest one, or -1.
    int Host(int guestFd) const;
    bool Close(int guestFd);

private:
    std::vector<int> hostFds_; // -1: free
};

} // namespace sim
