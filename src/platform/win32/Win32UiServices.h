#pragma once

#include <functional>

#include "platform/UiServices.h"

namespace harfpad::win32 {

class Win32UiServices final : public IUiServices {
  public:
    // `waitCursorChanged` tells the program's windows to keep the pointer until it is reset:
    // a pointer set once lasts only until the next move.
    explicit Win32UiServices(std::function<void(bool)> waitCursorChanged = {})
        : waitCursorChanged_(std::move(waitCursorChanged)) {}

    int messageBox(std::u16string_view text, std::u16string_view title, unsigned style) override;
    std::uint64_t tickCount() override;
    bool waitForMessages(unsigned ms) override;
    void setWaitCursor(bool wait) override;
    void endProgram() override;
    void reloadLayoutHotkey() override;

  private:
    std::function<void(bool)> waitCursorChanged_;
};

}  // namespace harfpad::win32
