// Reads send-keys notation and plans the keystrokes that type it on the active layout.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/SendKeysApi.h"

namespace harfpad {

struct PlannedKey {
    std::uint16_t vk = 0;
    bool keyUp = false;

    friend bool operator==(const PlannedKey&, const PlannedKey&) = default;
};

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

}  // namespace harfpad
