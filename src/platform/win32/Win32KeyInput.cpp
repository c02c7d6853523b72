#include "platform/win32/Win32KeyInput.h"

#include <windows.h>

#include "platform/win32/MessageLoop.h"

namespace harfpad::win32 {

std::int16_t Win32KeyInput::vkKeyScan(char ansiChar) {
    return ::VkKeyScanA(ansiChar);
}

std::uint32_t Win32KeyInput::mapVirtualKey(std::uint32_t code, std::uint32_t mode) {
    return ::MapVirtualKeyA(code, mode);
}

void Win32KeyInput::keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
    ::keybd_event(vk, scan, flags, 0);
}

std::int16_t Win32KeyInput::getKeyState(int vk) {
    return ::GetKeyState(vk);
}

void Win32KeyInput::sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

void Win32KeyInput::doEvents() {
    processWaitingMessages();
}

std::uint32_t Win32AnsiCodePage::toAnsi(char16_t ch) {
    const wchar_t wide = static_cast<wchar_t>(ch);
    char bytes[4] = {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
    if (n <= 0)
        return '?';
    if (n == 1)
        return static_cast<unsigned char>(bytes[0]);
    // A double-byte character: lead byte first, as one number above 255.
    return (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]);
}

}  // namespace harfpad::win32
