#include "platform/win32/Win32UiServices.h"

#include <windows.h>

#include "platform/win32/TextConv.h"

namespace harfpad::win32 {

int Win32UiServices::messageBox(std::u16string_view text, std::u16string_view title,
                                unsigned style) {
    return ::MessageBoxW(::GetActiveWindow(), toWide(text).c_str(), toWide(title).c_str(), style);
}

void Win32UiServices::doEvents() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the main loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Win32UiServices::setWaitCursor(bool wait) {
    ::SetCursor(::LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

void Win32UiServices::endProgram() {
    ::PostQuitMessage(0);
}

}  // namespace harfpad::win32
