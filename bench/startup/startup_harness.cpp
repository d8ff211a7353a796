// Start-up benchmark: starts Orvella and a bare Qt window with the same menu bar, toolbar and status bar,
// alternately, and times each from exec to its first frame on screen; reports medians and peak memory.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double milliseconds;
    double peakMiB;
};

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// One start: exec to the "shown" line the program prints at its first frame.
bool startOnce(const std::string& program, Sample& sample) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t child = 0;
    const long long started = monotonicNanoseconds();
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    long long shown = 0;
    if (std::sscanf(output.c_str(), "shown %lld", &shown) != 1) {
        std::fprintf(stderr, "%s printed no first frame: %s\n", program.c_str(), output.c_str());
        return false;
    }
    sample.milliseconds = static_cast<double>(shown - started) / 1e6;
    sample.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void report(const char* name, const std::vector<Sample>& samples) {
    std::vector<double> times;
    std::vector<double> peaks;
    for (const auto& s : samples) {
        times.push_back(s.milliseconds);
        peaks.push_back(s.peakMiB);
    }
    std::printf(
        "%-8s median %7.1f ms  min %7.1f ms  max %7.1f ms  peak memory median %5.1f MiB, max %5.1f MiB\n",
        name, median(times), *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), median(peaks),
        *std::max_element(peaks.begin(), peaks.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ORVELLA BARE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 20;
    setenv("ORVELLA_STARTUP_PROBE", "1", 1);
    std::vector<Sample> orvella;
    std::vector<Sample> bare;
    // Two warm-up starts each fill the page cache; then the two alternate so both see the same machine.
    for (int i = -2; i < runs; ++i) {
        Sample a{};
        Sample b{};
        if (!startOnce(argv[1], a) || !startOnce(argv[2], b)) {
            return 1;
        }
        if (i >= 0) {
            orvella.push_back(a);
            bare.push_back(b);
        }
    }
    std::printf("Start-up, exec to the main window's first frame, %d runs each, alternating:\n", runs);
    report("orvella", orvella);
    report("bare Qt", bare);
    std::vector<double> a;
    std::vector<double> b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(orvella[static_cast<std::size_t>(i)].milliseconds);
        b.push_back(bare[static_cast<std::size_t>(i)].milliseconds);
    }
    std::printf(
        "ratio of medians orvella / bare: %.2f (target <= 1.25); orvella peak %.1f MiB (target <= 40)\n",
        median(a) / median(b), median([&] {
            std::vector<double> p;
            for (const auto& s : orvella) {
                p.push_back(s.peakMiB);
            }
            return p;
        }()));
    return 0;
}
