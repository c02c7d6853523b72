// The keys of two real layouts, as the send-keys operation sees them through VkKeyScanExW:
// US English (00000409) and Arabic (101) (00000401), whose unshifted main block types the Arabic
// letters in the places of a US keyboard's keys (ض on Q, and so on).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/KeystrokeApi.h"

namespace harfpad::fakes::layouts {

inline constexpr const char* kUs = "00000409";
inline constexpr const char* kArabic = "00000401";

// The virtual key of the US key at `column` of main-block row `row` (0: the digit row with the
// grave accent key, 3: Z to slash).
std::uint16_t usKeyAt(std::size_t row, std::size_t column);

// VkKeyScanExW on the named layout; -1 for characters it has no key for (any other layout name
// has no keys at all).
std::int16_t vkKeyScan(const std::string& layout, char16_t ch);

// The character a key types on the named layout, with or without Shift; 0 for none.
char16_t characterOf(const std::string& layout, std::uint16_t vk, bool shift);

}  // namespace harfpad::fakes::layouts
