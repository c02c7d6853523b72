#pragma once

#include <windows.h>

#include "platform/TrayApi.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/Handles.h"

namespace harfpad::win32 {

// Window class of the hidden tray window, so other programs and tests can find it.
inline constexpr wchar_t kTrayWindowClass[] = L"HarfpadForm2";

// A hidden top-level window (never shown, never on the taskbar) with the program's icon as its
// own window icon. Top-level rather than message-only: the shell's "TaskbarCreated" broadcast
// only reaches top-level windows.
class Win32TrayWindow final : public ITrayWindow, private BaseWindow {
  public:
    Win32TrayWindow(HINSTANCE instance, int iconResourceId);
    ~Win32TrayWindow() override;
    using BaseWindow::hwnd;

    void setEvents(ITrayWindowEvents* events) override { events_ = events; }
    void create() override;
    std::uintptr_t handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
    std::uintptr_t windowIcon() const override;
    int popupMenu(std::span<const std::u16string_view> items, ScreenPoint at) override;
    std::uintptr_t userWindow() const override {
        return reinterpret_cast<std::uintptr_t>(userWindow_);
    }
    bool inFront() const override { return hwnd_ && ::GetForegroundWindow() == hwnd_; }

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void noteUserWindow();
    // Makes the icon drawn for this DPI the window's own; returns the one it replaces.
    UniqueIcon loadIcon(int dpi);

    HINSTANCE instance_;
    int iconResourceId_;
    UINT taskbarCreated_;
    ITrayWindowEvents* events_ = nullptr;
    UniqueIcon icon_;
    HWND userWindow_ = nullptr;
    int iconDpi_ = 0;  // the DPI the icon was drawn for
};

}  // namespace harfpad::win32
