// Reads a statistics file forward as white-space separated tokens, into one buffer that every
// read of a reading shares.
#pragma once

#include <cstdio>
#include <string>

class TokenReader {
public:
    // Opens the file for reading. Anything but a regular file (a FIFO, a directory) counts as
    // not openable, so that reading results can never block.
    explicit TokenReader(const std::string& path);
    ~TokenReader();
    TokenReader(const TokenReader&) = delete;
    TokenReader& operator=(const TokenReader&) = delete;

    bool isOpen() const { return file_ != nullptr; }

    // Replaces the buffer with the next token and returns true, or returns false at the end
    // of the file and leaves the buffer as it was. Tokens of any length are kept whole.
    bool next(std::string& buffer);

private:
    std::FILE* file_ = nullptr;
};
