// Reads send-keys notation and plans the keystrokes that type it on the active layout.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/SendKeysApi.h"

namespace harfpad {

struct PlannedKey {
    enum Kind : std::uint8_t { VirtualKey, Unicode } kind = VirtualKey;
    std::uint16_t code = 0;  // virtual key, or the UTF-16 unit of a Unicode keystroke
    bool keyUp = false;

    friend bool operator==(const PlannedKey&, const PlannedKey&) = default;
};

// "{name}" stands for a named key (ENTER, TAB, BACKSPACE, BS, BKSP, ESC, any case), "{c}" for
// the one character c, every other character for itself. A character the layout has no key for
// is typed as a Unicode keystroke per UTF-16 unit. Throws std::invalid_argument for an unclosed
// brace or an unknown key name, before anything is planned.
std::vector<PlannedKey> planSendKeys(std::u16string_view keys, ILayoutKeyLookup& layout);

}  // namespace harfpad
