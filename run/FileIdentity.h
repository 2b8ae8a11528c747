// What identifies one version of a file: whether it exists, and its device, inode, size and
// modification time. A run's results are new only if the statistics file changed.
#pragma once

#include <cstdint>
#include <string>

struct FileIdentity {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentifyFile(const std::string& path);
