// The "Unicode Testing" page: the Unicode test keys, the text box `txtarabic` and `Label27`.
#pragma once

#include <span>

#include "platform/Ui.h"

namespace harfpad::unicode_page {

enum : ControlId {
    kFrame8 = 500,
    kTxtarabic,
    kLabel27,
    kCmd13 = 510,              // Backspace
    kCmd15,                    // Tab
    kCmd40,                    // Capslock
    kCmd28,                    // Enter
    kCmd53,                    // left Shift
    kCmd42,                    // right Shift
    kCmdctrl1,                 // left Ctrl
    kCmdalt1,                  // left ALT
    kCmdspaceb,                // Space
    kCmdalt2,                  // right ALT
    kCmdctrl,                  // right Ctrl
    kCharacterKeyFirst = 550,  // the 47 character keys, row by row, left to right
};

inline constexpr int kCharacterKeyCount = 47;

struct CharacterKey {
    const char* name;         // the key's designer name, e.g. "cmdq"
    const char16_t* normal;   // unshifted caption: exactly the text the key appends
    const char16_t* shifted;  // shifted caption
};

// The character keys in visual order; key n has the id kCharacterKeyFirst + n.
std::span<const CharacterKey, kCharacterKeyCount> characterKeys();

constexpr ControlId characterKeyId(int n) {
    return kCharacterKeyFirst + n;
}
// The character key number of a control id, or -1.
constexpr int characterKeyNumber(ControlId id) {
    return id >= kCharacterKeyFirst && id < kCharacterKeyFirst + kCharacterKeyCount
               ? id - kCharacterKeyFirst
               : -1;
}

// Frame8, the keys in the order the Tab key visits them, txtarabic, Label27.
std::span<const ControlSpec> controls();

}  // namespace harfpad::unicode_page
