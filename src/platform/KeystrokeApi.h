// The system's keystroke path for typed text: which key of the focused window's layout gives a
// character, which modifier keys are down, and putting key presses into the input stream.
#pragma once

#include <cstdint>
#include <span>

namespace harfpad {

// One key going down or up.
struct Keystroke {
    std::uint16_t vk = 0;
    bool keyUp = false;

    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

// The Shift, Ctrl, Alt and Windows keys, left and right apart: one bit each.
using ModifierKeys = unsigned;

struct ModifierKey {
    ModifierKeys bit;
    std::uint16_t vk;  // the side's own virtual key (VK_LSHIFT ... VK_RWIN)
    bool opensMenu;    // released alone, Alt opens the menu bar and Windows the Start menu
};
inline constexpr ModifierKey kModifierKeys[] = {
    {1u << 0, 0xA0, false},  // left Shift
    {1u << 1, 0xA1, false},  // right Shift
    {1u << 2, 0xA2, false},  // left Ctrl
    {1u << 3, 0xA3, false},  // right Ctrl
    {1u << 4, 0xA4, true},   // left Alt
    {1u << 5, 0xA5, true},   // right Alt
    {1u << 6, 0x5B, true},   // left Windows
    {1u << 7, 0x5C, true},   // right Windows
};

// A key Microsoft lists as unassigned: pressed between an Alt or Windows key going down and up,
// it keeps the release from opening a menu, and does nothing else.
inline constexpr std::uint16_t kMenuMaskKey = 0xE8;

class IKeystrokeSender {
  public:
    virtual ~IKeystrokeSender() = default;
    // VkKeyScanExW on the layout of the thread that has the keyboard focus: virtual key in the
    // low byte, shift state (1 Shift, 2 Ctrl, 4 Alt) in the high byte; -1 when no key of that
    // layout produces `ch`.
    virtual std::int16_t vkKeyScan(char16_t ch) = 0;
    // The modifier keys that are down at this moment, by the user's hand or another program's.
    virtual ModifierKeys heldModifiers() = 0;
    // Puts the keystrokes into the input stream for the focused window, in one piece that no
    // other input can split. With `wait`, returns only once this thread's focus window has
    // processed them: not at all while that window is not in front, and never after it loses
    // the focus or two seconds have gone by.
    virtual void send(std::span<const Keystroke> keys, bool wait) = 0;
    // Tells the user that something could not be typed.
    virtual void beep() = 0;
};

}  // namespace harfpad
