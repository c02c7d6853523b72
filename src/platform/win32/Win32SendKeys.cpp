#include "platform/win32/Win32SendKeys.h"

#include <vector>

#include "keyboard/SendKeysPlan.h"

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

class LayoutLookup final : public ILayoutKeyLookup {
  public:
    explicit LayoutLookup(HKL layout) : layout_(layout) {}
    std::int16_t vkKeyScan(char16_t ch) override {
        return static_cast<std::int16_t>(::VkKeyScanExW(static_cast<WCHAR>(ch), layout_));
    }

  private:
    HKL layout_;
};

INPUT toInput(const PlannedKey& key, HKL layout) {
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

void Win32SendKeys::SendKeys(std::u16string_view keys, bool wait) {
    const HKL layout = focusLayout();
    LayoutLookup lookup(layout);
    const KeystrokePlan whole = planSendKeys(keys, lookup);
    // What the layout cannot type is not typed; the user hears that something was left out.
    if (whole.unproducible > 0)
        ::MessageBeep(MB_OK);
    const std::vector<PlannedKey>& plan = whole.keys;
    if (plan.empty())
        return;
    std::vector<INPUT> inputs;
    inputs.reserve(plan.size());
    std::size_t keyUps = 0;
    for (const PlannedKey& key : plan) {
        inputs.push_back(toInput(key, layout));
        keyUps += key.keyUp ? 1 : 0;
    }
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Only keystrokes bound for this thread can be watched; another program's window gets them
    // in its own time.
    if (wait && sent == inputs.size() && ::GetFocus() != nullptr)
        pumpUntilProcessed(keyUps);
}

void Win32SendKeys::pumpUntilProcessed(std::size_t keyUps) {
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
