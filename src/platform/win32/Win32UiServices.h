#pragma once

#include "platform/UiServices.h"

namespace harfpad::win32 {

class Win32UiServices final : public IUiServices {
  public:
    int messageBox(std::u16string_view text, std::u16string_view title, unsigned style) override;
    void doEvents() override;
    void setWaitCursor(bool wait) override;
    void endProgram() override;
    void reloadLayoutHotkey() override;
};

}  // namespace harfpad::win32
