// What the tray indicator asks of the system: the shell's notification-area calls and the hidden
// window that owns the icon, receives the shell's notifications and shows the popup menu.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace harfpad {

// The notification record in the shell's first, ANSI layout, field by field. Window and icon
// handles are carried as plain numbers; the Windows layer copies them into its own structure.
struct NotifyIconRecord {
    std::uint32_t cbSize = 0;
    std::uintptr_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uintptr_t hIcon = 0;
    std::array<char, 64> szTip{};
};

// Size of the shell's first-version ANSI record: everything up to the end of a 64-byte tip.
// 88 bytes on 32-bit Windows.
inline constexpr std::uint32_t kNotifyIconV1Size =
    static_cast<std::uint32_t>(offsetof(NotifyIconRecord, szTip) + 64);

// Record flags and shell operations, as the platform numbers them.
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimDelete = 2;

// Window messages the tray notifications are made of.
inline constexpr std::uint32_t kWmMouseMove = 0x200;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x203;
inline constexpr std::uint32_t kWmRButtonUp = 0x205;

class IShellNotify {
  public:
    virtual ~IShellNotify() = default;
    // Shell_NotifyIconA with operation `message`; true when the shell accepted it.
    virtual bool shellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) = 0;
};

// What the hidden window reports to the behaviour behind it.
class ITrayWindowEvents {
  public:
    virtual ~ITrayWindowEvents() = default;
    // A mouse-move message arrived. The shell's icon notifications come this way: `x` is the
    // message's second parameter as delivered, whose low 16 bits are the mouse message that
    // happened over the icon.
    virtual void Form_MouseMove(int button, int shift, std::intptr_t x, std::intptr_t y) = 0;
    // The taskbar was created anew (Explorer restarted) and has forgotten every icon.
    virtual void taskbarCreated() = 0;
    // The window's own icon was replaced (drawn for a new DPI); the one shown is out of date.
    virtual void iconChanged() = 0;
    // The window is going away (destroyed, or the session ends): no icon may outlive it.
    virtual void windowClosing() = 0;
    // Someone asked the window to close (WM_CLOSE), such as an installer ending the program.
    virtual void closeRequested() = 0;
    // The program was started again: the running copy's main window is wanted.
    virtual void showRequested() = 0;
};

// The hidden window of the tray indicator. It is never shown.
class ITrayWindow {
  public:
    virtual ~ITrayWindow() = default;
    // Who receives the window's events; nullptr for nobody.
    virtual void setEvents(ITrayWindowEvents* events) = 0;
    // Creates the window, hidden, unless it exists already.
    virtual void create() = 0;
    // The window's handle, 0 while it does not exist.
    virtual std::uintptr_t handle() const = 0;
    // The handle of the window's own icon, 0 while the window does not exist.
    virtual std::uintptr_t windowIcon() const = 0;
    // Shows a popup menu of `items` at the mouse pointer and waits until it closes. Returns the
    // index of the chosen item, or -1 when the menu was dismissed.
    virtual int popupMenu(std::span<const std::u16string_view> items) = 0;
};

}  // namespace harfpad
