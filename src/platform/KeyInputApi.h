// The system calls behind synthesised keystrokes (user32 and kernel32), and the message-loop
// yield. Kept small so the key-injection logic can be played into a recording fake.
#pragma once

#include <cstdint>

namespace harfpad {

class IKeyInputApi {
  public:
    virtual ~IKeyInputApi() = default;
    // VkKeyScanA: the key and shift state that produce an ANSI character on the active layout.
    virtual std::int16_t vkKeyScan(char ansiChar) = 0;
    // MapVirtualKeyA; mode 0 gives the scan code, mode 2 the character (0 for none).
    virtual std::uint32_t mapVirtualKey(std::uint32_t code, std::uint32_t mode) = 0;
    // keybd_event with extra information 0.
    virtual void keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) = 0;
    // GetKeyState: the 16-bit state of a key (high bit down, low bit toggled).
    virtual std::int16_t getKeyState(int vk) = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // Processes the messages waiting in the calling thread's queue, then returns.
    virtual void doEvents() = 0;
};

// Character conversion to the system's ANSI code page, as the ANSI user32 calls see text.
class IAnsiCodePage {
  public:
    virtual ~IAnsiCodePage() = default;
    // The code-page value of one UTF-16 unit: 0..255 for a single-byte code page; a larger value
    // when the character needs more than one byte. A character with no mapping becomes '?'.
    virtual std::uint32_t toAnsi(char16_t ch) = 0;
};

}  // namespace harfpad
