// A stand-in for the simulators, for tests of the window's runs. It records what it was given
// (its arguments, its standard input when that is a file, its PATH) into files beside it,
// lives as long as STANDIN_SLEEP_MS says (200 ms unless told), copies standin-results.txt to
// simout.res when there is one, notes the time it ends, and exits with STANDIN_EXIT (0 unless
// told).
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

long EnvNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atol(value) : fallback;
}

void RecordArguments(int argc, char** argv) {
    std::ofstream out("standin-argv.txt", std::ios::binary);
    for (int i = 0; i < argc; ++i)
        out << argv[i] << '\0';
}

// Only a redirected file is read: an inherited pipe or terminal could block for ever.
void RecordStandardInput() {
    struct stat st {};
    if (::fstat(0, &st) != 0 || !S_ISREG(st.st_mode))
        return;
    std::ofstream out("standin-stdin.txt", std::ios::binary);
    out << std::cin.rdbuf();
}

} // namespace

int main(int argc, char** argv) {
    RecordArguments(argc, argv);
    RecordStandardInput();
    const char* path = std::getenv("PATH");
    std::ofstream("standin-path.txt") << (path != nullptr ? path : "");
    std::ofstream("standin-pid.txt") << ::getpid();
    std::this_thread::sleep_for(std::chrono::milliseconds(EnvNumber("STANDIN_SLEEP_MS", 200)));
    if (std::filesystem::exists("standin-results.txt"))
        std::filesystem::copy_file("standin-results.txt", "simout.res",
                                   std::filesystem::copy_options::overwrite_existing);
    // When it ended, on the clock every process shares, for the window's latency benchmark.
    std::ofstream("standin-exit-ns.txt") << std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                std::chrono::steady_clock::now().time_since_epoch())
                                                .count();
    return int(EnvNumber("STANDIN_EXIT", 0));
}
