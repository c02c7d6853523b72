// The system's keystroke path for typed text: which key of the focused window's layout gives a
// character, and putting key presses into the input stream.
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

class IKeystrokeSender {
  public:
    virtual ~IKeystrokeSender() = default;
    // VkKeyScanExW on the layout of the thread that has the keyboard focus: virtual key in the
    // low byte, shift state (1 Shift, 2 Ctrl, 4 Alt) in the high byte; -1 when no key of that
    // layout produces `ch`.
    virtual std::int16_t vkKeyScan(char16_t ch) = 0;
    // Puts the keystrokes into the input stream for the focused window. With `wait`, returns
    // only once this thread's window has processed them, or after two seconds.
    virtual void send(std::span<const Keystroke> keys, bool wait) = 0;
    // Tells the user that something could not be typed.
    virtual void beep() = 0;
};

}  // namespace harfpad
