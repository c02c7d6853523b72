// Keystrokes over SendInput, looked up on the layout of the thread that has the focus.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/KeystrokeApi.h"

namespace harfpad::win32 {

class Win32KeystrokeSender final : public IKeystrokeSender {
  public:
    // `preTranslate` is the main loop's hook (keyboard navigation), also used while waiting.
    explicit Win32KeystrokeSender(std::function<bool(MSG&)> preTranslate = {})
        : preTranslate_(std::move(preTranslate)) {}

    // The dwExtraInfo of every keystroke this sender puts into the input stream.
    static constexpr ULONG_PTR kOwnKeystrokes = 0x48617266;  // "Harf"

    std::int16_t vkKeyScan(char16_t ch) override;
    ModifierKeys heldModifiers() override;
    void send(std::span<const Keystroke> keys, bool wait) override;
    void beep() override;

  private:
    // Dispatches this thread's messages until `keyUps` of our own key releases have gone
    // through `focus`, or the keystrokes cannot arrive there any more.
    void pumpUntilProcessed(std::size_t keyUps, HWND focus);

    std::function<bool(MSG&)> preTranslate_;
};

}  // namespace harfpad::win32
