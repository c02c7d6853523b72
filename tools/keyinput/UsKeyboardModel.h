// The answers Windows gives on the US English layout (00000409) with the ANSI code page 1252:
// VkKeyScanA, MapVirtualKeyA modes 0 and 2, and the conversion of UTF-16 text to code page 1252.
#pragma once

#include <cstdint>

namespace harfpad::fakes::us_layout {

// VkKeyScanA: low byte the virtual key, high byte the shift state (1 Shift, 2 Ctrl, 4 Alt);
// -1 when no key produces the character.
std::int16_t vkKeyScan(char ansiChar);

// MapVirtualKeyA with mode 0 (virtual key to scan code) and mode 2 (virtual key to the
// unshifted character, 0 for none). Other modes and codes above 255 give 0.
std::uint32_t mapVirtualKey(std::uint32_t code, std::uint32_t mode);

// WideCharToMultiByte to code page 1252 for one UTF-16 unit; '?' for no mapping.
std::uint32_t toCp1252(char16_t ch);

}  // namespace harfpad::fakes::us_layout
