// Send-keys over SendInput: keystrokes of the focused thread's layout, Unicode keystrokes for
// characters it has no key for.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/SendKeysApi.h"

namespace harfpad::win32 {

class Win32SendKeys final : public ISendKeys {
  public:
    // `preTranslate` is the main loop's hook (keyboard navigation), also used while waiting.
    explicit Win32SendKeys(std::function<bool(MSG&)> preTranslate = {})
        : preTranslate_(std::move(preTranslate)) {}

    void SendKeys(std::u16string_view keys, bool wait) override;

  private:
    // Dispatches this thread's messages until `keyUps` key releases have gone through or the
    // keystrokes cannot arrive any more.
    void pumpUntilProcessed(std::size_t keyUps);

    std::function<bool(MSG&)> preTranslate_;
};

}  // namespace harfpad::win32
