#include "html/CharRefs.h"

#include <algorithm>
#include <array>
#include <string>

#include "html/NamedRefs.h"

namespace harfpad::html {

namespace {

constexpr std::size_t kLongestName = 32;  // "CounterClockwiseContourIntegral;"

bool isAsciiAlnum(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

int digitValue(char16_t c, bool hex) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (hex && c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (hex && c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Numbers 0x80 to 0x9F mean the characters of windows-1252 there; 0 keeps the number.
constexpr std::array<char16_t, 32> kC1 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool decodeNumeric(std::u16string_view text, std::size_t& pos, std::u16string& out) {
    std::size_t at = pos + 2;  // past "&#"
    const bool hex = at < text.size() && (text[at] == u'x' || text[at] == u'X');
    if (hex)
        ++at;
    const std::size_t digitsStart = at;
    char32_t value = 0;
    for (int digit; at < text.size() && (digit = digitValue(text[at], hex)) >= 0; ++at)
        value =
            std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
    if (at == digitsStart)
        return false;
    if (at < text.size() && text[at] == u';')
        ++at;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        value = 0xFFFD;
    else if (value >= 0x80 && value <= 0x9F && kC1[value - 0x80] != 0)
        value = kC1[value - 0x80];
    appendCodePoint(out, value);
    pos = at;
    return true;
}

const named_refs::Entry* findNamed(std::string_view name) {
    const auto entries = named_refs::entries();
    const auto found = std::lower_bound(entries.begin(), entries.end(), name,
                                        [](const named_refs::Entry& entry, std::string_view key) {
                                            return named_refs::nameOf(entry) < key;
                                        });
    return found != entries.end() && named_refs::nameOf(*found) == name ? &*found : nullptr;
}

bool decodeNamed(std::u16string_view text, std::size_t& pos, bool inAttribute,
                 std::u16string& out) {
    std::string candidate;  // the letters and digits after '&', then ';' if one follows
    std::size_t at = pos + 1;
    while (at < text.size() && candidate.size() < kLongestName && isAsciiAlnum(text[at]))
        candidate += static_cast<char>(text[at++]);
    if (at < text.size() && text[at] == u';' && candidate.size() < kLongestName)
        candidate += ';';
    for (std::size_t length = candidate.size(); length > 0; --length) {
        const named_refs::Entry* ref = findNamed(std::string_view(candidate).substr(0, length));
        if (!ref)
            continue;
        const std::size_t after = pos + 1 + length;
        if (inAttribute && candidate[length - 1] != ';' && after < text.size() &&
            (isAsciiAlnum(text[after]) || text[after] == u'='))
            return false;  // "?a=1&copy=2" in a link stays as written
        appendCodePoint(out, ref->first);
        if (ref->second != 0)
            out += ref->second;
        pos = after;
        return true;
    }
    return false;
}

}  // namespace

void appendCodePoint(std::u16string& out, char32_t codePoint) {
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
        out += static_cast<char16_t>(codePoint);
    }
}

void decodeCharRef(std::u16string_view text, std::size_t& pos, bool inAttribute,
                   std::u16string& out) {
    const bool numeric = pos + 1 < text.size() && text[pos + 1] == u'#';
    if (numeric ? decodeNumeric(text, pos, out) : decodeNamed(text, pos, inAttribute, out))
        return;
    out += u'&';
    ++pos;
}

}  // namespace harfpad::html
