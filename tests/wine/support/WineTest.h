// Helpers for tests that run the Win32 layer and real windows under Wine.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace harfpad::wine_test {

// Runs Wine's reg.exe with the given arguments (e.g. L"add HKCU\\x /ve /d 1 /f") and returns
// its exit code.
int runReg(const std::wstring& arguments);

// Dispatches this thread's messages for the given time, or until `done` says so.
void pumpMessages(std::chrono::milliseconds duration, const std::function<bool()>& done = {});

// Whether the shell shows the notification icon of `owner` with identifier `id`: a modify that
// changes nothing succeeds for an icon that is there and is refused for one that is not.
bool trayIconShown(HWND owner, UINT id);

// Closes message boxes shown by this process while it lives, recording their texts and titles.
class MessageBoxAnswerer {
  public:
    struct Seen {
        std::wstring title;
        std::wstring text;
        HWND owner;
        bool ownerEnabled;  // while the box was open
    };
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    std::vector<Seen> seen() const;

  private:
    void run();
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Seen> seen_;
    std::thread thread_;
};

}  // namespace harfpad::wine_test
