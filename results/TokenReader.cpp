#include "results/TokenReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsTokenSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::FILE* OpenRegularFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "r");
    if (file == nullptr)
        ::close(fd);
    return file;
}

} // namespace

TokenReader::TokenReader(const std::string& path) : file_(OpenRegularFile(path)) {}

TokenReader::~TokenReader() {
    if (file_ != nullptr)
        std::fclose(file_);
}

bool TokenReader::next(std::string& buffer) {
    if (file_ == nullptr)
        return false;
    int c = getc_unlocked(file_);
    while (c != EOF && IsTokenSpace(c))
        c = getc_unlocked(file_);
    if (c == EOF)
        return false;
    buffer.clear();
    while (c != EOF && !IsTokenSpace(c)) {
        buffer.push_back(static_cast<char>(c));
        c = getc_unlocked(file_);
    }
    return true;
}
