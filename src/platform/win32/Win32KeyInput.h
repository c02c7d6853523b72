// The keystroke calls of user32 and kernel32 and the message-loop yield, as they are.
#pragma once

#include "platform/KeyInputApi.h"

namespace harfpad::win32 {

class Win32KeyInput final : public IKeyInputApi {
  public:
    std::int16_t vkKeyScan(char ansiChar) override;
    std::uint32_t mapVirtualKey(std::uint32_t code, std::uint32_t mode) override;
    void keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
    std::int16_t getKeyState(int vk) override;
    void sleep(std::uint32_t milliseconds) override;
    void doEvents() override;
};

// The system's ANSI code page (CP_ACP).
class Win32AnsiCodePage final : public IAnsiCodePage {
  public:
    std::uint32_t toAnsi(char16_t ch) override;
};

}  // namespace harfpad::win32
