#include "layout/HotkeyNumber.h"

#include <cstdint>

namespace harfpad {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr std::int64_t kCap = 1'000'000;  // far beyond 16 bits: further digits change nothing

}  // namespace

std::optional<int> parseHotkeyNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t whole = 0;
    bool overflow = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > kCap)
            overflow = true, whole = kCap;
    }
    // Rounding needs only the first fraction digit and whether anything non-zero follows.
    int firstFraction = 0;
    bool restNonZero = false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i < text.size() && isDigit(text[i]))
            firstFraction = text[i++] - '0';
        for (; i < text.size() && isDigit(text[i]); ++i) restNonZero |= text[i] != '0';
    }
    if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1)))
        ++whole;
    if (negative)
        whole = -whole;
    if (overflow || whole < -32768 || whole > 32767)
        return std::nullopt;
    return static_cast<int>(whole);
}

}  // namespace harfpad
