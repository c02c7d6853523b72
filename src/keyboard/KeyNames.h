// The names screen readers read for the keys of both test keyboards: what the key types, then
// which physical key it is ("ض, Q key"); special keys by their physical key ("Left Shift").
#pragma once

#include <string>
#include <string_view>

namespace harfpad::key_names {

// The 47 character keys of a 101-key keyboard, row by row, left to right.
inline constexpr int kCharacterKeyCount = 47;

enum class SpecialKey {
    Backspace,
    Tab,
    CapsLock,
    Enter,
    LeftShift,
    RightShift,
    LeftCtrl,
    LeftAlt,
    Space,
    RightAlt,
    RightCtrl,
};

// The name of a character key that types `typed`; `characterKey` counts from the key left of 1.
// A lone combining mark is named by the mark (it has no sound of its own).
std::u16string characterKeyName(std::u16string_view typed, int characterKey);
std::u16string_view specialKeyName(SpecialKey key);

}  // namespace harfpad::key_names
