// The check before a file is handed to the editor: open it for reading with writing by others
// denied and close it at once. The open never blocks, so a FIFO cannot freeze the window.
#pragma once

#include <string>

enum class FileError {
    None,
    NotFound,
    InvalidPath,
    TooManyOpenFiles,
    AccessDenied,
    SharingViolation,
    HardwareError,
    Unknown,
};

FileError CheckOpenForReading(const std::string& path);
// The message for the cause, with the full path in it; empty for FileError::None.
std::string FileErrorMessage(FileError error, const std::string& path);
