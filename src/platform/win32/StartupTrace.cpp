#include "platform/win32/StartupTrace.h"

#ifdef HARFPAD_STARTUP_TRACE
#include <windows.h>
#include <psapi.h>

#include <cstdio>

namespace harfpad::win32 {

void traceStartup(const char* phase) {
    FILETIME created, ended, kernel, user, now;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
    ::GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    char path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("HARFPAD_TRACE_FILE", path, MAX_PATH))
        return;
    if (FILE* file = std::fopen(path, "a")) {
        PROCESS_MEMORY_COUNTERS memory{sizeof memory};
        ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
        std::fprintf(file, "%s %.2f %.0f\n", phase,
                     static_cast<double>(ticks(now) - ticks(created)) / 10000.0,
                     static_cast<double>(memory.PagefileUsage) / 1024.0);
        std::fclose(file);
    }
}

}  // namespace harfpad::win32
#endif
