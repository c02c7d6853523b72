// The stored layout-switch hotkey text read as a number.
#pragma once

#include <optional>
#include <string_view>

namespace harfpad {

// Skips leading blanks and reads the leading decimal numeral (optional sign, digits, optional
// fraction), rounded to the nearest integer with halves to even. Text that does not start with
// a number reads as 0. Empty when the number lies outside the signed 16-bit range.
std::optional<int> parseHotkeyNumber(std::string_view text);

}  // namespace harfpad
