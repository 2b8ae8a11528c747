#include "platform/FileCheck.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool ParentDirectoryExists(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string parent =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    struct stat info {};
    return ::stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

FileError FromErrno(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
        return ParentDirectoryExists(path) ? FileError::NotFound : FileError::InvalidPath;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return FileError::InvalidPath;
    case EMFILE:
    case ENFILE:
        return FileError::TooManyOpenFiles;
    case EACCES:
    case EPERM:
        return FileError::AccessDenied;
    case EWOULDBLOCK:
    case ETXTBSY:
    case EBUSY:
        return FileError::SharingViolation;
    case EIO:
        return FileError::HardwareError;
    default:
        return FileError::Unknown;
    }
}

std::string Replace(std::string_view pattern, const std::string& path) {
    std::string text(pattern);
    const auto at = text.find("%1");
    return at == std::string::npos ? text : text.replace(at, 2, path);
}
} // namespace

FileError CheckOpenForReading(const std::string& path) {
    if (path.empty()) {
        return FileError::InvalidPath;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return FromErrno(errno, path);
    }
    // A shared lock fails against a writer's exclusive lock: that is the writer denying us.
    FileError result = FileError::None;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        result = FromErrno(errno, path);
    }
    ::close(fd);
    return result;
}

std::string FileErrorMessage(FileError error, const std::string& path) {
    switch (error) {
    case FileError::None:
        return {};
    case FileError::NotFound:
        return Replace("%1 was not found.", path);
    case FileError::InvalidPath:
        return Replace("%1 contains an invalid path.", path);
    case FileError::TooManyOpenFiles:
        return Replace("%1 could not be opened because there are too many open files.", path);
    case FileError::AccessDenied:
        return Replace("Access to %1 was denied.", path);
    case FileError::SharingViolation:
        return Replace("A sharing violation occurred while accessing %1.", path);
    case FileError::HardwareError:
        return Replace("A hardware I/O error was reported while accessing %1.", path);
    case FileError::Unknown:
        break;
    }
    return Replace("An unknown error occurred while accessing %1.", path);
}
