// The one-line script the command interpreter runs: exactly the bytes of the command line,
// with no line end.
#pragma once

#include <string>

// Replaces the file with the line. False unless every byte reached the file, so that a
// stale or truncated script is never run.
bool WriteBatchScript(const std::string& path, const std::string& line);
void DeleteBatchScript(const std::string& path);
