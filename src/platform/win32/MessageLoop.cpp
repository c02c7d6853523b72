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

// Dispatches the messages waiting in this thread's queue, the user's input dropped when asked.
// False at WM_QUIT, which is left for the program's own message loop.
bool dispatchWaiting(bool dropInput) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (dropInput && isUserInput(msg.message))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace

bool waitDroppingInput(unsigned ms) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return dispatchWaiting(true);
}

void processWaitingMessages() {
    dispatchWaiting(false);
}

}  // namespace harfpad::win32
