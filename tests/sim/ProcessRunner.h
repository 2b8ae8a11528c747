// Runs a real process for the simulator tests: in a directory, with a file as standard input,
// its output collected, and a deadline after which it is killed.
#pragma once

#include <string>
#include <vector>

namespace simtest {

struct ProcessResult {
    int status = -1; // exit status, or 128 + signal as a shell reports a signal death
    bool timedOut = false;
    std::string out, err;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& directory,
                         const std::string& stdinPath = "/dev/null", int timeoutSeconds = 120,
                         const std::vector<std::string>& extraEnvironment = {});

// A fresh empty directory under the test's temporary directory.
std::string MakeTempDirectory(const std::string& tag);

std::string ReadFile(const std::string& path);

} // namespace simtest
