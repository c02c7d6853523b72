#pragma once

#include "platform/KeyboardLayoutApi.h"

namespace harfpad::win32 {

class Win32KeyboardLayout final : public IKeyboardLayoutApi {
  public:
    bool getKeyboardLayoutName(std::span<char> buffer) override;
    void loadKeyboardLayout(const std::string& name, unsigned flags) override;
};

}  // namespace harfpad::win32
