#pragma once

#include "platform/KeyboardLayoutApi.h"

namespace harfpad::win32 {

class Win32KeyboardLayout final : public IKeyboardLayoutApi {
  public:
    bool getKeyboardLayoutName(std::span<char> buffer) override;
    LayoutHandle loadKeyboardLayout(const std::string& name, unsigned flags) override;
    LayoutHandle activeLayout() override;
    std::vector<LayoutHandle> installedLayouts() override;
    void activateLayout(LayoutHandle layout) override;
};

}  // namespace harfpad::win32
