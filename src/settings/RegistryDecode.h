// Turns registry value data into the text the settings store hands out.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace harfpad {

// REG_DWORD: the little-endian number in decimal with at least three digits ("003", "1000").
// REG_BINARY: two upper-case hex digits per byte ("000F10FF").
// Any other type: the bytes as text, less the terminating zero when there is one.
std::string decodeRegistryData(std::uint32_t type, std::span<const std::uint8_t> bytes);

}  // namespace harfpad
