#include "platform/win32/Win32KeystrokeSender.h"

#include <vector>

namespace harfpad::win32 {

namespace {

// Keystrokes land on the thread that has the keyboard focus; its layout decides the keys.
HKL focusLayout() {
    GUITHREADINFO info{sizeof info};
    HWND target =
        ::GetGUIThreadInfo(0, &info) && info.hwndFocus ? info.hwndFocus : ::GetForegroundWindow();
    const DWORD thread = target ? ::GetWindowThreadProcessId(target, nullptr) : 0;
    return ::GetKeyboardLayout(thread);
}

INPUT toInput(const Keystroke& key, HKL layout) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyExW(key.vk, MAPVK_VK_TO_VSC, layout));
    if (key.keyUp)
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
    return input;
}

constexpr DWORD kWaitLimitMs = 2000;

}  // namespace

std::int16_t Win32KeystrokeSender::vkKeyScan(char16_t ch) {
    return static_cast<std::int16_t>(::VkKeyScanExW(static_cast<WCHAR>(ch), focusLayout()));
}

void Win32KeystrokeSender::beep() {
    ::MessageBeep(MB_OK);
}

void Win32KeystrokeSender::send(std::span<const Keystroke> keys, bool wait) {
    if (keys.empty())
        return;
    const HKL layout = focusLayout();
    std::vector<INPUT> inputs;
    inputs.reserve(keys.size());
    std::size_t keyUps = 0;
    for (const Keystroke& key : keys) {
        inputs.push_back(toInput(key, layout));
        keyUps += key.keyUp ? 1 : 0;
    }
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Only keystrokes bound for this thread can be watched; another program's window gets them
    // in its own time.
    if (wait && sent == inputs.size() && ::GetFocus() != nullptr)
        pumpUntilProcessed(keyUps);
}

void Win32KeystrokeSender::pumpUntilProcessed(std::size_t keyUps) {
    const DWORD start = ::GetTickCount();
    std::size_t seen = 0;
    while (seen < keyUps) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= kWaitLimitMs)
            return;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, kWaitLimitMs - elapsed, QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
        MSG msg;
        while (seen < keyUps && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
                return;
            }
            if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP)
                ++seen;
            if (preTranslate_ && preTranslate_(msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

}  // namespace harfpad::win32
