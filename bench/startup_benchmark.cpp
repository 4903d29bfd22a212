// Start-up of the program's window beside a minimal Qt Widgets window: from process start to the
// end of the first paint, and the peak resident memory of the process (ru_maxrss), as medians
// over runs taken in turn. The probes get this program's environment. The table rows go to
// stdout; how the start-up time splits into steps goes to stderr.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "figures.h"
#include "monotonic_clock.h"

namespace {

using namespace quellmark::bench;

constexpr int kRuns = 21;
constexpr double kTargetRatio = 1.2;
constexpr double kTargetExtraMb = 5;

// Milliseconds spent in each step up to the first paint; then the whole start-up, process start
// to first paint done; then, for comparison, how long a second paint of the window takes.
constexpr std::array<const char*, 7> kSteps = {"process start to main", "application set up",
                                               "window built",          "window shown",
                                               "first paint",           "total",
                                               "second paint"};
constexpr std::size_t kTotal = 5;
constexpr std::size_t kSecondPaint = 6;
using Steps = std::array<double, kSteps.size()>;

struct Run {
    Steps stepsMs;
    double peakMb;
};

double Milliseconds(long long from, long long to) {
    return double(to - from) / 1e6;
}

// The steps from the times the probe printed, the start being when the probe was started.
std::optional<Steps> StepsFrom(FILE* stream, long long started) {
    std::array<long long, kSteps.size() - 1> stamps{};
    for (long long& stamp : stamps) {
        if (std::fscanf(stream, "%lld", &stamp) != 1) {
            return std::nullopt;
        }
    }
    Steps steps{};
    long long previous = started;
    for (std::size_t i = 0; i < kTotal; ++i) {
        steps[i] = Milliseconds(previous, stamps[i]);
        previous = stamps[i];
    }
    steps[kTotal] = Milliseconds(started, stamps[kTotal - 1]);
    steps[kSecondPaint] = Milliseconds(stamps[kTotal - 1], stamps[kTotal]);
    return steps;
}

// Starts the probe, reads the times it prints, and waits for it to end.
std::optional<Run> RunProbe(const char* path) {
    int out[2];
    if (pipe(out) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = -1;
    const long long started = MonotonicNs();
    const bool spawned = posix_spawn(&pid, path, &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::optional<Steps> steps;
    if (FILE* stream = fdopen(out[0], "r")) {
        steps = StepsFrom(stream, started);
        std::fclose(stream);
    }
    int status = 0;
    rusage usage{};
    if (!spawned || wait4(pid, &status, 0, &usage) != pid || status != 0 || !steps) {
        return std::nullopt;
    }
    return Run{*steps, double(usage.ru_maxrss) / 1024};
}

struct Medians {
    Steps stepsMs;
    double peakMb;
};

Medians MediansOf(const std::vector<Run>& runs) {
    Medians medians{};
    for (std::size_t step = 0; step < kSteps.size(); ++step) {
        std::vector<double> samples;
        for (const Run& run : runs) {
            samples.push_back(run.stepsMs[step]);
        }
        medians.stepsMs[step] = Median(samples);
    }
    std::vector<double> peaks;
    for (const Run& run : runs) {
        peaks.push_back(run.peakMb);
    }
    medians.peakMb = Median(peaks);
    return medians;
}

void PrintSteps(const Medians& ours, const Medians& base) {
    std::fprintf(stderr, "Start-up steps, medians of %d runs (ms): program, minimal window\n",
                 kRuns);
    for (std::size_t step = 0; step < kSteps.size(); ++step) {
        std::fprintf(stderr, "  %-22s %8.1f %8.1f\n", kSteps[step], ours.stepsMs[step],
                     base.stepsMs[step]);
    }
}

void PrintRows(const Medians& ours, const Medians& base) {
    const double ratio = ours.stepsMs[kTotal] / base.stepsMs[kTotal];
    const double extraMb = ours.peakMb - base.peakMb;
    PrintFigure("Start-up to first paint, program", Fixed(ours.stepsMs[kTotal], 1) + " ms");
    PrintFigure("Start-up to first paint, minimal window", Fixed(base.stepsMs[kTotal], 1) + " ms");
    PrintFigure("Start-up, program / minimal window", Fixed(ratio, 2) + "x", "<= 1.2x",
                ratio <= kTargetRatio);
    PrintFigure("Peak memory, program", Fixed(ours.peakMb, 1) + " MB");
    PrintFigure("Peak memory, minimal window", Fixed(base.peakMb, 1) + " MB");
    PrintFigure("Peak memory, program - minimal window", Fixed(extraMb, 1) + " MB", "<= 5 MB",
                extraMb <= kTargetExtraMb);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_PROBE MINIMAL_PROBE\n", argv[0]);
        return 2;
    }
    std::vector<Run> program;
    std::vector<Run> minimal;
    // In turn, so that a busy moment on the machine falls on both alike.
    for (int i = 0; i < kRuns; ++i) {
        const auto ours = RunProbe(argv[1]);
        const auto base = RunProbe(argv[2]);
        if (!ours || !base) {
            std::fprintf(stderr, "a start-up probe failed\n");
            return 1;
        }
        program.push_back(*ours);
        minimal.push_back(*base);
    }
    PrintSteps(MediansOf(program), MediansOf(minimal));
    PrintRows(MediansOf(program), MediansOf(minimal));
    return 0;
}
