#pragma once

#include <windows.h>

#include <functional>

#include "platform/UiServices.h"

namespace harfpad::win32 {

class Win32UiServices final : public IUiServices {
  public:
    // `waitCursorChanged` tells the program's windows to keep the pointer until it is reset:
    // a pointer set once lasts only until the next move. `owner` names the window a message box
    // belongs to: the box stays in front of it, and the window takes no input under it.
    explicit Win32UiServices(std::function<void(bool)> waitCursorChanged = {},
                             std::function<HWND()> owner = {})
        : waitCursorChanged_(std::move(waitCursorChanged)), owner_(std::move(owner)) {}

    int messageBox(std::u16string_view text, std::u16string_view title, unsigned style) override;
    std::uint64_t tickCount() override;
    bool waitForMessages(unsigned ms) override;
    void setWaitCursor(bool wait) override;
    void endProgram() override;
    void reloadLayoutHotkey() override;

  private:
    std::function<void(bool)> waitCursorChanged_;
    std::function<HWND()> owner_;
};

}  // namespace harfpad::win32
