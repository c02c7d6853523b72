#include "platform/win32/Win32UiServices.h"

#include <windows.h>

#include "platform/win32/MessageLoop.h"
#include "platform/win32/TextConv.h"

namespace harfpad::win32 {

int Win32UiServices::messageBox(std::u16string_view text, std::u16string_view title,
                                unsigned style) {
    // Not the active window: while the program waits, the user may have gone to another one.
    return ::MessageBoxW(owner_ ? owner_() : nullptr, toWide(text).c_str(), toWide(title).c_str(),
                         style);
}

std::uint64_t Win32UiServices::tickCount() {
    return ::GetTickCount64();
}

bool Win32UiServices::waitForMessages(unsigned ms) {
    return waitDroppingInput(ms);
}

void Win32UiServices::setWaitCursor(bool wait) {
    if (waitCursorChanged_)
        waitCursorChanged_(wait);
    ::SetCursor(::LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

void Win32UiServices::endProgram() {
    ::PostQuitMessage(0);
}

void Win32UiServices::reloadLayoutHotkey() {
    ::SystemParametersInfoW(SPI_SETLANGTOGGLE, 0, nullptr, 0);
}

}  // namespace harfpad::win32
