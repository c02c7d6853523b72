#pragma once

#include <windows.h>

#include "platform/KeyboardLayoutApi.h"

namespace harfpad::win32 {

// The window with the keyboard focus in the input state of `window`'s thread (GetGUIThreadInfo),
// which may belong to another thread; `window` itself when none has it; nullptr when it is gone.
HWND focusWindowIn(HWND window);

class Win32KeyboardLayout : public IKeyboardLayoutApi {
  public:
    bool getKeyboardLayoutName(std::span<char> buffer) override;
    LayoutHandle loadKeyboardLayout(const std::string& name, unsigned flags) override;
    LayoutHandle activeLayout() override;
    std::vector<LayoutHandle> installedLayouts() override;
    void activateLayout(LayoutHandle layout) override;
    InputMode inputMode() override;
    WindowHandle focusWindowOf(WindowHandle window) override;
    LayoutHandle layoutOf(WindowHandle window) override;
    bool canReach(WindowHandle window) override;
    bool requestLayout(WindowHandle window, LayoutHandle layout) override;
};

}  // namespace harfpad::win32
