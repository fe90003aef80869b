// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Startup benchmark: median wall time and peak memory from process start to the window shown,
// for Zelvane's main window and for a minimal Qt window built from the same tree, and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double milliseconds;
    long peakKiB;
};

Run runProbe(const std::string& probe, const char* mode)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(probe.c_str(), probe.c_str(), mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed (status %d)\n", probe.c_str(), mode, status);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const std::string self = argv[0];
    const std::string probe = self.substr(0, self.rfind('/') + 1) + "startup_probe";
    // A private home, with a language already chosen: the usual start, not the first run.
    char home[] = "/tmp/zelvane-startup-XXXXXX";
    if (!mkdtemp(home))
        return 1;
    setenv("XDG_DATA_HOME", (std::string(home) + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (std::string(home) + "/config").c_str(), 1);
    std::system(("mkdir -p " + std::string(home) + "/config/Zelvane && printf '[Options]\\nLangue=US\\n"
                 "Niveau=Expert\\n' > " + std::string(home) + "/config/Zelvane/Zelvane.conf").c_str());
    if (!getenv("DISPLAY") && !getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::vector<double> wizardTimes, minimalTimes;
    std::vector<long> wizardPeaks, minimalPeaks;
    runProbe(probe, "wizard"); // warm the file cache once
    for (int i = 0; i < runs; ++i) {
        const Run wizard = runProbe(probe, "wizard");
        const Run minimal = runProbe(probe, "minimal");
        wizardTimes.push_back(wizard.milliseconds);
        wizardPeaks.push_back(wizard.peakKiB);
        minimalTimes.push_back(minimal.milliseconds);
        minimalPeaks.push_back(minimal.peakKiB);
    }
    std::system(("rm -rf " + std::string(home)).c_str());

    const double wizardTime = median(wizardTimes), minimalTime = median(minimalTimes);
    const long wizardPeak = median(wizardPeaks), minimalPeak = median(minimalPeaks);
    std::printf("platform: %s, %d runs each\n", getenv("QT_QPA_PLATFORM") ? getenv("QT_QPA_PLATFORM") : "default", runs);
    std::printf("%-16s %12s %14s\n", "", "median ms", "peak KiB");
    std::printf("%-16s %12.1f %14ld\n", "Zelvane", wizardTime, wizardPeak);
    std::printf("%-16s %12.1f %14ld\n", "minimal window", minimalTime, minimalPeak);
    std::printf("%-16s %12.2f %14.2f   (targets: 1.25 and 1.30)\n", "ratio", wizardTime / minimalTime,
                static_cast<double>(wizardPeak) / static_cast<double>(minimalPeak));
    return 0;
}
