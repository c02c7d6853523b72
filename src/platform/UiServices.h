// Process-wide user-interface services: message boxes, the mouse pointer, the message loop.
#pragma once

#include <cstdint>
#include <string_view>

namespace harfpad {

// Message-box styles, as the platform numbers them.
constexpr unsigned kMbOk = 0;
constexpr unsigned kMbIconCritical = 16;

class IUiServices {
  public:
    virtual ~IUiServices() = default;
    // Shows a modal message box owned by the program's main window (by its tray window when the
    // main one is gone) and waits until the user closes it.
    virtual int messageBox(std::u16string_view text, std::u16string_view title, unsigned style) = 0;
    // Milliseconds on a clock that never goes back.
    virtual std::uint64_t tickCount() = 0;
    // While the program waits for something outside it: waits at most `ms` for a window message,
    // then handles what keeps the windows alive (painting, closing, the tray, posted messages)
    // and drops the user's keyboard and mouse input, as disabled controls would. False once the
    // program is ending.
    virtual bool waitForMessages(unsigned ms) = 0;
    // The screen-wide mouse pointer: the wait pointer while busy, else the arrow.
    virtual void setWaitCursor(bool wait) = 0;
    // Ends the program: every window goes and the message loop returns.
    virtual void endProgram() = 0;
    // Has Windows read the current user's layout-switch hotkey from the registry again.
    virtual void reloadLayoutHotkey() = 0;
};

}  // namespace harfpad
