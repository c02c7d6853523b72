// What the test run tells the driver: the program, where screenshots go.
#pragma once

#include <string>

namespace e2e {

struct Options {
    std::wstring exePath;          // harfpad.exe
    std::wstring screenshotDir;    // empty: no screenshots
    std::wstring screenshotTag;    // e.g. "96dpi"
    std::wstring loopbackExePath;  // harfpad.exe built to post feedback to this run's server
};

const Options& options();
void parseOptions(int argc, wchar_t** argv);

}  // namespace e2e
