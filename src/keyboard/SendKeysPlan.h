// Reads send-keys notation and plans the keystrokes that type it on a layout.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/KeystrokeApi.h"

namespace harfpad {

// The layout as the planner needs it.
class ILayoutKeyLookup {
  public:
    virtual ~ILayoutKeyLookup() = default;
    // Virtual key in the low byte, shift state (1 Shift, 2 Ctrl, 4 Alt) in the high byte; -1
    // when no key of the layout produces `ch`.
    virtual std::int16_t vkKeyScan(char16_t ch) = 0;
};

using PlannedKey = Keystroke;

struct KeystrokePlan {
    std::vector<PlannedKey> keys;
    // UTF-16 units of the text that no key of the layout produces; they are left out.
    std::size_t unproducible = 0;
};

// "{name}" stands for a named key (ENTER, TAB, BACKSPACE, BS, BKSP, ESC, any case), "{c}" for
// the one character c, every other character for itself. Only what the layout's own keys
// produce is typed: a character it has no key for is left out and counted, never faked as a
// Unicode keystroke, so that the text shows what the layout really types. Throws
// std::invalid_argument for an unclosed brace or an unknown key name, before anything is planned.
KeystrokePlan planSendKeys(std::u16string_view keys, ILayoutKeyLookup& layout);

// The system's send-keys operation: types `keys` into the focused window as the keystrokes of
// its layout, as plain keys whatever modifier keys the user holds, beeping when something could
// not be typed; with `wait`, returns once they are processed. Throws std::invalid_argument,
// before sending anything, for unreadable notation.
void SendKeys(IKeystrokeSender& sender, std::u16string_view keys, bool wait);

}  // namespace harfpad
