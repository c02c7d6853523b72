// The end-to-end driver: gtest cases that start and operate harfpad.exe from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include "Options.h"
#include "driver/Driver.h"

namespace e2e {
namespace {
Options& mutableOptions() {
    static Options value;
    return value;
}
}  // namespace

const Options& options() {
    return mutableOptions();
}

void parseOptions(int argc, wchar_t** argv) {
    using harfpad::driver::windowsPath;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto value = [&](const wchar_t* name) -> const wchar_t* {
            const std::wstring prefix = std::wstring(L"--") + name + L"=";
            return arg.rfind(prefix, 0) == 0 ? argv[i] + prefix.size() : nullptr;
        };
        if (auto v = value(L"exe"))
            mutableOptions().exePath = windowsPath(v);
        if (auto v = value(L"shots"))
            mutableOptions().screenshotDir = windowsPath(v);
        if (auto v = value(L"tag"))
            mutableOptions().screenshotTag = v;
        if (auto v = value(L"loopback-exe"))
            mutableOptions().loopbackExePath = windowsPath(v);
    }
}

}  // namespace e2e

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    ::testing::InitGoogleTest(&argc, argv);
    e2e::parseOptions(argc, argv);
    if (e2e::options().exePath.empty()) {
        fprintf(stderr,
                "usage: harfpad_e2e --exe=PATH [--loopback-exe=PATH]"
                " [--shots=DIR --tag=TAG]\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
