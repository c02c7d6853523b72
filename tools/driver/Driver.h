// Drives a running harfpad.exe from outside, as a user or an accessibility tool would:
// through window handles, window messages and memory of the other process, never its code.
// The end-to-end scenarios, their screenshots and the start-up timing use it.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace harfpad::driver {

using namespace std::chrono_literals;

// Waits until `ready` holds or the time is up; true when it held.
bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit = 20000ms);

// "/unix/path" as Wine's drive Z: sees it; other paths unchanged.
std::wstring windowsPath(std::wstring path);

std::wstring windowText(HWND hwnd);
std::wstring className(HWND hwnd);

// One started program, ended when the object goes.
class Program {
  public:
    // Starts the program and, with `waitForWindow`, waits for its main window.
    explicit Program(const std::wstring& exePath, bool waitForWindow = true);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    DWORD pid() const { return pid_; }
    DWORD threadId() const { return threadId_; }
    bool running() const;
    // Exit code once it has ended, within the limit.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds limit = 20000ms) const;
    // Time from CreateProcess to the main window being visible (0 when it never was).
    std::chrono::microseconds startUpTime() const { return startUp_; }

    // Top-level windows of the program.
    std::vector<HWND> topLevelWindows(bool visibleOnly) const;
    HWND mainWindow(std::chrono::milliseconds limit = 20000ms) const;  // visible "HarfpadForm"
    HWND findTopLevel(const wchar_t* cls, bool visibleOnly = true) const;

  private:
    win32::UniqueHandle<HANDLE, win32::closeHandle> process_;
    DWORD pid_ = 0, threadId_ = 0;
    std::chrono::microseconds startUp_{0};
};

// Controls of a window, searched through all descendants.
HWND findControl(HWND root, const std::wstring& text, const wchar_t* cls = nullptr);
HWND findControlById(HWND root, int id);
std::vector<HWND> descendants(HWND root);

bool isChecked(HWND button);
void click(HWND button);  // BM_CLICK, as a mouse click on the button
void setText(HWND control, const std::wstring& text);

// The tab control of the main window, driven through memory in the program's process.
class Tabs {
  public:
    Tabs(const Program& program, HWND mainWindow);
    int count() const;
    int selected() const;
    std::wstring caption(int index) const;
    void select(int index) const;  // as a click on the tab: TCM_SETCURSEL, then TCN_SELCHANGE
    HWND hwnd() const { return tab_; }

  private:
    win32::UniqueHandle<HANDLE, win32::closeHandle> process_;
    HWND tab_ = nullptr;
};

// Message boxes ("#32770") of the program that are open now.
std::vector<HWND> openMessageBoxes(const Program& program);
std::wstring messageBoxText(HWND box);
void answerMessageBox(HWND box, int button = IDOK);

// What the screen shows in an area, as the user sees it: rows from the top, COLORREF values.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
std::optional<ScreenPixels> capture(const RECT& screenArea);

// Saves the window's screen area as a 24-bit BMP (the screen itself, as the user sees it).
bool saveScreenshot(HWND window, const std::wstring& path);

}  // namespace harfpad::driver
