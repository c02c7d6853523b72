#include "platform/win32/MessageLoop.h"

namespace harfpad::win32 {

int runMessageLoop(const std::function<bool(MSG&)>& preTranslate) {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (preTranslate && preTranslate(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

namespace {

bool isUserInput(UINT message) {
    // System keys stay: they reach the window's frame (Alt+F4 closes), never a control.
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST && message != WM_SYSKEYDOWN &&
            message != WM_SYSKEYUP && message != WM_SYSCHAR && message != WM_SYSDEADCHAR) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

bool waitDroppingInput(unsigned ms) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (isUserInput(msg.message))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

void processWaitingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the program's own message loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace harfpad::win32
