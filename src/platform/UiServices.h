// Process-wide user-interface services: message boxes, the mouse pointer, the message loop.
#pragma once

#include <string_view>

namespace harfpad {

// Message-box styles, as the platform numbers them.
constexpr unsigned kMbOk = 0;
constexpr unsigned kMbIconCritical = 16;

class IUiServices {
  public:
    virtual ~IUiServices() = default;
    // Shows a modal message box owned by the active window and waits until the user closes it.
    virtual int messageBox(std::u16string_view text, std::u16string_view title, unsigned style) = 0;
    // Processes the window messages waiting in this thread's queue, then returns.
    virtual void doEvents() = 0;
    // The screen-wide mouse pointer: the wait pointer while busy, else the arrow.
    virtual void setWaitCursor(bool wait) = 0;
    // Ends the program: every window goes and the message loop returns.
    virtual void endProgram() = 0;
    // Has Windows read the current user's layout-switch hotkey from the registry again.
    virtual void reloadLayoutHotkey() = 0;
};

}  // namespace harfpad
