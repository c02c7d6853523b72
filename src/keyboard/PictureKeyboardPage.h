// The "KB Testing" page: the picture keyboard `Keyboard_Array` and the text box it types into.
#pragma once

#include <span>

#include "platform/Ui.h"

namespace harfpad::picture_page {

enum : ControlId {
    kFrame4 = 200,
    kText4,
    kKeyboardArrayFirst = 210,  // Keyboard_Array(i) has the id kKeyboardArrayFirst + i
};

inline constexpr int kKeyCount = 58;

// The Windows Arabic character set, given to Text4's font at start-up.
inline constexpr int kArabicCharset = 178;

constexpr ControlId keyId(int index) {
    return kKeyboardArrayFirst + index;
}
// The Keyboard_Array index of a control id, or -1.
constexpr int keyIndex(ControlId id) {
    return id >= kKeyboardArrayFirst && id < kKeyboardArrayFirst + kKeyCount
               ? id - kKeyboardArrayFirst
               : -1;
}

// What a key does after the layout switch and the focus move.
struct KeyAction {
    enum Kind { None, SendText, TapKey } kind = None;
    const char16_t* text = nullptr;  // SendText: in send-keys notation
    int virtualKey = 0;              // TapKey
};

struct PictureKey {
    const char16_t* legend;  // what the key shows: its picture, or its caption on special keys
    bool picture;            // true for the 47 character keys
    KeyAction action;
};

// Keyboard_Array(0) to Keyboard_Array(57).
std::span<const PictureKey, kKeyCount> keys();

// Frame4, the keys in the order the Tab key visits them, then Text4.
std::span<const ControlSpec> controls();

}  // namespace harfpad::picture_page
