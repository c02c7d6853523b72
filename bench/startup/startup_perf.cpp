// Start-up time, memory and idle cost of harfpad.exe beside two yardsticks under the same Wine:
// a program that only opens an empty window, and one whose window holds the common controls'
// tab strip. Prints a Markdown table. Usage: harfpad_perf HARFPAD EMPTY TABWINDOW
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "driver/Driver.h"

namespace {

using namespace std::chrono_literals;

constexpr int kRounds = 11;  // each round starts both programs, one after the other

using harfpad::driver::windowsPath;

struct Figures {
    std::vector<double> startUpMs;
    double privateMiB = 0;
    double workingSetMiB = 0;
    double idleCpuMs = 0;  // CPU time used in 3 s with nobody touching it

    // The value below which `share` of the start-ups lie (nearest rank).
    double startUp(double share) const {
        std::vector<double> sorted = startUpMs;
        std::sort(sorted.begin(), sorted.end());
        const auto rank =
            static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1) + 0.5);
        return sorted[rank];
    }
};

double cpuMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    ::GetProcessTimes(process, &created, &ended, &kernel, &user);
    auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// One start: its time, and on the last round its memory and idle cost.
void measureOnce(const std::wstring& exe, Figures& figures, bool weigh) {
    harfpad::driver::Program program(exe);
    figures.startUpMs.push_back(static_cast<double>(program.startUpTime().count()) / 1000.0);
    if (!weigh)
        return;
    std::this_thread::sleep_for(1000ms);
    const harfpad::win32::UniqueHandle<HANDLE, harfpad::win32::closeHandle> process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.pid()));
    PROCESS_MEMORY_COUNTERS_EX memory{sizeof memory};
    ::GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory);
    // Wine leaves PrivateUsage at 0; the commit charge is the same figure on Windows.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    figures.privateMiB = static_cast<double>(privateBytes) / 1048576.0;
    figures.workingSetMiB = static_cast<double>(memory.WorkingSetSize) / 1048576.0;
    const double before = cpuMs(process.get());
    std::this_thread::sleep_for(3000ms);
    figures.idleCpuMs = cpuMs(process.get()) - before;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc != 4) {
        std::fprintf(stderr, "usage: harfpad_perf HARFPAD.EXE EMPTY.EXE TABWINDOW.EXE\n");
        return 2;
    }
    // Alternating rounds, so that whatever else the machine does weighs on all alike.
    Figures harfpad, empty, tabs;
    for (int round = 0; round < kRounds; ++round) {
        const bool last = round == kRounds - 1;
        measureOnce(windowsPath(argv[1]), harfpad, last);
        measureOnce(windowsPath(argv[2]), empty, last);
        measureOnce(windowsPath(argv[3]), tabs, last);
    }
    const auto ratio = [&empty](const Figures& f) { return f.startUp(0.5) / empty.startUp(0.5); };
    std::printf(
        "| | harfpad.exe | empty window | empty window with a tab control |\n"
        "|---|---:|---:|---:|\n");
    std::printf("| start-up to visible window, median of %d | %.0f ms | %.0f ms | %.0f ms |\n",
                kRounds, harfpad.startUp(0.5), empty.startUp(0.5), tabs.startUp(0.5));
    std::printf("| ratio to the empty window | %.2f | 1.00 | %.2f |\n", ratio(harfpad),
                ratio(tabs));
    std::printf("| start-up, p10 / p90 | %.0f / %.0f ms | %.0f / %.0f ms | %.0f / %.0f ms |\n",
                harfpad.startUp(0.1), harfpad.startUp(0.9), empty.startUp(0.1), empty.startUp(0.9),
                tabs.startUp(0.1), tabs.startUp(0.9));
    std::printf("| private bytes after start-up | %.1f MiB | %.1f MiB | %.1f MiB |\n",
                harfpad.privateMiB, empty.privateMiB, tabs.privateMiB);
    std::printf("| working set after start-up | %.1f MiB | %.1f MiB | %.1f MiB |\n",
                harfpad.workingSetMiB, empty.workingSetMiB, tabs.workingSetMiB);
    std::printf("| CPU time in 3 s untouched | %.1f ms | %.1f ms | %.1f ms |\n", harfpad.idleCpuMs,
                empty.idleCpuMs, tabs.idleCpuMs);
    return 0;
}
