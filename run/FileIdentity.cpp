#include "run/FileIdentity.h"

#include <sys/stat.h>

FileIdentity IdentifyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return {true, uint64_t(st.st_dev), uint64_t(st.st_ino), int64_t(st.st_size),
            int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}
