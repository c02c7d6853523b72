// What the tray indicator asks of the system: the shell's notification-area calls and the hidden
// window that owns the icon, receives the shell's notifications and shows the popup menu.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace harfpad {

// The notification record the program hands to the shell, field by field; the Windows layer
// copies it into the shell's Unicode structure (NOTIFYICONDATAW) at its full size. Window and
// icon handles are carried as plain numbers.
struct NotifyIconRecord {
    std::uintptr_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uintptr_t hIcon = 0;
    std::array<char16_t, 128> szTip{};
    std::uint32_t uVersion = 0;  // read by NIM_SETVERSION only
    friend bool operator==(const NotifyIconRecord&, const NotifyIconRecord&) = default;
};

// Record flags, shell operations and the notification version, as the platform numbers them.
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
inline constexpr std::uint32_t kNifShowTip = 0x80;  // version 4 shows the tip only when asked
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNimSetFocus = 3;
inline constexpr std::uint32_t kNimSetVersion = 4;
inline constexpr std::uint32_t kNotifyIconVersion4 = 4;

// Window messages and notifications the tray callbacks are made of.
inline constexpr std::uint32_t kWmMouseMove = 0x200;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x203;
inline constexpr std::uint32_t kWmRButtonUp = 0x205;
inline constexpr std::uint32_t kWmContextMenu = 0x7B;
inline constexpr std::uint32_t kNinSelect = 0x400;     // WM_USER
inline constexpr std::uint32_t kNinKeySelect = 0x401;  // NIN_SELECT | NINF_KEY

// A point on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class IShellNotify {
  public:
    virtual ~IShellNotify() = default;
    // Shell_NotifyIconW with operation `message`; true when the shell accepted it.
    virtual bool shellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) = 0;
};

// What the hidden window reports to the behaviour behind it.
class ITrayWindowEvents {
  public:
    virtual ~ITrayWindowEvents() = default;
    // The icon's callback message arrived (numbered as the mouse-move message), with its
    // parameters as delivered. In the version-4 layout the low 16 bits of `lParam` are the event
    // (a mouse message, WM_CONTEXTMENU or NIN_*), its high 16 bits the icon's identifier, and
    // `wParam` the anchor point: x in its low 16 bits, y in its high 16 bits, both signed.
    virtual void Form_MouseMove(std::uintptr_t wParam, std::intptr_t lParam) = 0;
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
    // Shows a popup menu of `items` with its corner at `at` and waits until it closes. Returns
    // the index of the chosen item, or -1 when the menu was dismissed.
    virtual int popupMenu(std::span<const std::u16string_view> items, ScreenPoint at) = 0;
    // The window the user was typing in: the focus window of the last window seen in front when
    // the shell reported the mouse over the icon, other than this one and the taskbar's; 0 while
    // none was seen.
    virtual std::uintptr_t userWindow() const = 0;
    // True while this window is the foreground window.
    virtual bool inFront() const = 0;
};

}  // namespace harfpad
