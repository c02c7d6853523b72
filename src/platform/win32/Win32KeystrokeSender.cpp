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
    // The extended form tells the right-hand Ctrl and Alt and the Windows keys by their E0
    // prefix.
    const UINT scan = ::MapVirtualKeyExW(key.vk, MAPVK_VK_TO_VSC_EX, layout);
    input.ki.wScan = static_cast<WORD>(scan & 0xFF);
    if ((scan & 0xFF00) == 0xE000)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    if (key.keyUp)
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
    // Marks our own keystrokes, so that the wait tells them from the user's.
    input.ki.dwExtraInfo = Win32KeystrokeSender::kOwnKeystrokes;
    return input;
}

bool isDown(int vk) {
    return (::GetAsyncKeyState(vk) & 0x8000) != 0;
}

constexpr DWORD kWaitLimitMs = 2000;

}  // namespace

std::int16_t Win32KeystrokeSender::vkKeyScan(char16_t ch) {
    return static_cast<std::int16_t>(::VkKeyScanExW(static_cast<WCHAR>(ch), focusLayout()));
}

ModifierKeys Win32KeystrokeSender::heldModifiers() {
    ModifierKeys held = 0;
    for (const ModifierKey& key : kModifierKeys)
        if (isDown(key.vk))
            held |= key.bit;
    // A key pressed by its shared code alone (VK_SHIFT, as some programs send it) counts as the
    // left one.
    constexpr int kShared[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    for (std::size_t pair = 0; pair < 3; ++pair) {
        const ModifierKeys sides = kModifierKeys[2 * pair].bit | kModifierKeys[2 * pair + 1].bit;
        if (!(held & sides) && isDown(kShared[pair]))
            held |= kModifierKeys[2 * pair].bit;
    }
    return held;
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
    // Read before sending: the focus this thread has now is where the keys go, if its window is
    // the one in front. Keys for another program's window reach it in its own time.
    const HWND focus = ::GetFocus();
    const bool ours = focus && ::GetAncestor(focus, GA_ROOT) == ::GetForegroundWindow();
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (wait && ours && sent == inputs.size())
        pumpUntilProcessed(keyUps, focus);
}

void Win32KeystrokeSender::pumpUntilProcessed(std::size_t keyUps, HWND focus) {
    const DWORD start = ::GetTickCount();
    std::size_t seen = 0;
    const HWND front = ::GetForegroundWindow();
    while (seen < keyUps) {
        const DWORD elapsed = ::GetTickCount() - start;
        // Once the focus or the window in front changes, the rest goes elsewhere.
        if (elapsed >= kWaitLimitMs || ::GetFocus() != focus || ::GetForegroundWindow() != front)
            return;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, kWaitLimitMs - elapsed, QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
        MSG msg;
        while (seen < keyUps && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
                return;
            }
            // Only our own releases count: the user's keys go on arriving meanwhile.
            if ((msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) &&
                static_cast<ULONG_PTR>(::GetMessageExtraInfo()) == kOwnKeystrokes) {
                ++seen;
            }
            if (preTranslate_ && preTranslate_(msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

}  // namespace harfpad::win32
