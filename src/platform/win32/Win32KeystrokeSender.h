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

    std::int16_t vkKeyScan(char16_t ch) override;
    void send(std::span<const Keystroke> keys, bool wait) override;
    void beep() override;

  private:
    // Dispatches this thread's messages until `keyUps` key releases have gone through or the
    // keystrokes cannot arrive any more.
    void pumpUntilProcessed(std::size_t keyUps);

    std::function<bool(MSG&)> preTranslate_;
};

}  // namespace harfpad::win32
