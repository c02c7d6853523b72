// The system's send-keys operation: a text in send-keys notation typed into the focused window
// as the keystrokes that produce it on the active layout.
#pragma once

#include <cstdint>
#include <string_view>

namespace harfpad {

class ISendKeys {
  public:
    virtual ~ISendKeys() = default;
    // With `wait`, returns only after the focused window has processed the keystrokes.
    // Throws std::invalid_argument for a text the notation cannot read; nothing is sent then.
    virtual void SendKeys(std::u16string_view keys, bool wait) = 0;
};

// The active layout as the send-keys planner needs it.
class ILayoutKeyLookup {
  public:
    virtual ~ILayoutKeyLookup() = default;
    // VkKeyScanExW on the focused thread's layout: virtual key in the low byte, shift state
    // (1 Shift, 2 Ctrl, 4 Alt) in the high byte; -1 when no key of the layout produces `ch`.
    virtual std::int16_t vkKeyScan(char16_t ch) = 0;
};

}  // namespace harfpad
