#include "platform/win32/SingleInstance.h"

namespace harfpad::win32 {

UINT showRunningCopyMessage() {
    static const UINT message = ::RegisterWindowMessageW(kShowRunningCopyMessage);
    return message;
}

SingleInstance::SingleInstance(const wchar_t* mutexName)
    : mutex_(::CreateMutexW(nullptr, FALSE, mutexName)),
      first_(!mutex_ || ::GetLastError() != ERROR_ALREADY_EXISTS) {}

bool SingleInstance::showRunningCopy(std::initializer_list<const wchar_t*> windowClasses) {
    constexpr DWORD kWaitMs = 3000, kStepMs = 50;
    for (DWORD waited = 0; waited <= kWaitMs; waited += kStepMs) {
        for (const wchar_t* windowClass : windowClasses) {
            const HWND window = ::FindWindowW(windowClass, nullptr);
            if (!window)
                continue;
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            // The copy that comes forward needs this one's leave to take the foreground.
            ::AllowSetForegroundWindow(process);
            return ::PostMessageW(window, showRunningCopyMessage(), 0, 0) != FALSE;
        }
        ::Sleep(kStepMs);
    }
    return false;
}

}  // namespace harfpad::win32
