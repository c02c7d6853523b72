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

// Dispatches this thread's messages for the given time, or until `done` says so; `preTranslate`
// may claim a message first, as the program's loop lets the window do.
void pumpMessages(std::chrono::milliseconds duration, const std::function<bool()>& done = {},
                  const std::function<bool(MSG&)>& preTranslate = {});

// Whether the shell shows the notification icon of `owner` with identifier `id`: a modify that
// changes nothing succeeds for an icon that is there and is refused for one that is not.
bool trayIconShown(HWND owner, UINT id);

// Width of the window's big or small icon (ICON_BIG, ICON_SMALL), 0 when it has none.
int iconWidth(HWND window, WPARAM which);

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
