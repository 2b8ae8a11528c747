// What watching a run costs the window: its own processor time while a 10-second simulator
// run is watched, and the latencies from a click on Start to a running simulator and from
// the simulator's exit to its results on screen (medians over 50 runs). Drives the real
// window offscreen against the stand-in simulator of the tests.
#include "dialog/ZemloDlg.h"
#include "platform/DialogServices.h"
#include "res/ControlIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

class BenchServices : public QtDialogServices {
public:
    std::optional<std::string> ChooseFileToOpen(QWidget*, const std::string&) override {
        return fs::current_path().string() + "/applu.ss";
    }
    void ShowMessage(QWidget*, const std::string& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::exit(1);
    }
};

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Waits in the event loop, without spinning, for the run's first result to be shown.
void WaitForResults(CZemloDlg& dialog) {
    auto* field = qobject_cast<QLineEdit*>(dialog.control(ids::IDC_RESULT_INSTRUCTIONS));
    if (!field->text().isEmpty())
        return;
    QEventLoop loop;
    QObject::connect(field, &QLineEdit::textChanged, &loop, &QEventLoop::quit);
    loop.exec();
}

double MedianMs(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int64_t StandInExitNs() {
    int64_t ns = 0;
    std::ifstream("standin-exit-ns.txt") >> ns;
    return ns;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s STANDIN-SIMULATOR\n", argv[0]);
        return 2;
    }
    const fs::path dir = fs::temp_directory_path() / ("zemlo-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(argv[1], dir / "sim-zemlo.exe");
    fs::current_path(dir);
    std::ofstream("standin-results.txt") << "sim_num_insn 1000 sim_num_loads 250\n";
    std::ofstream("applu.in") << "input\n";

    QApplication app(argc, argv);
    BenchServices services;
    CZemloDlg dialog(services);
    dialog.InitDialog();
    dialog.show();
    dialog.OnFileDialogButton();
    auto* start = qobject_cast<QAbstractButton*>(dialog.control(ids::IDOK));

    ::setenv("STANDIN_SLEEP_MS", "10000", 1);
    const double cpuBefore = CpuSeconds();
    const auto wallBefore = Clock::now();
    start->click();
    WaitForResults(dialog);
    const double cpu = CpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("watching a %.1f s run: window CPU %.1f ms = %.3f%% of one core\n", wall, cpu * 1e3,
                100.0 * cpu / wall);

    ::setenv("STANDIN_SLEEP_MS", "100", 1);
    std::vector<double> toRunning, toResults;
    for (int i = 0; i < 50; ++i) {
        const auto clicked = Clock::now();
        start->click(); // returns once the simulator has been found and is watched
        toRunning.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - clicked).count());
        WaitForResults(dialog);
        const int64_t shownNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
                .count();
        toResults.push_back(double(shownNs - StandInExitNs()) / 1e6);
    }
    std::printf("Start click to simulator running: median %.2f ms over 50 runs\n",
                MedianMs(toRunning));
    std::printf("simulator exit to results shown: median %.2f ms over 50 runs\n",
                MedianMs(toResults));
    fs::current_path("/");
    fs::remove_all(dir);
    std::fflush(stdout);
    std::_Exit(0); // as the window ends
}
