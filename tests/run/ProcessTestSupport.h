// Helpers for tests that start real processes: a scratch working directory entered for the
// test's length, and waits with deadlines (killing and reaping take a moment).
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

class ScratchDirectory {
public:
    ScratchDirectory() {
        path_ = std::filesystem::temp_directory_path() /
                ("zemlo-run-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

inline void WriteFile(const std::string& path, const std::string& content,
                      bool executable = false) {
    std::ofstream(path, std::ios::binary) << content;
    if (executable)
        ::chmod(path.c_str(), 0755);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds deadline = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Gone from /proc, or at most a zombie that is not ours to reap.
inline bool IsGoneOrZombie(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (!stat)
        return true;
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

inline bool IsGone(pid_t pid) {
    return ::access(("/proc/" + std::to_string(pid)).c_str(), F_OK) != 0;
}

} // namespace testsupport
