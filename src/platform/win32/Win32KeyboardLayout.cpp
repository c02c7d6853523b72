#include "platform/win32/Win32KeyboardLayout.h"

#include <windows.h>

namespace harfpad::win32 {

bool Win32KeyboardLayout::getKeyboardLayoutName(std::span<char> buffer) {
    if (buffer.size() < KL_NAMELENGTH)
        return false;
    return ::GetKeyboardLayoutNameA(buffer.data()) != 0;
}

void Win32KeyboardLayout::loadKeyboardLayout(const std::string& name, unsigned flags) {
    ::LoadKeyboardLayoutA(name.c_str(), flags);
}

}  // namespace harfpad::win32
