// The keys of two real layouts, as the send-keys operation sees them through VkKeyScanExW:
// US English (00000409) and Arabic (101) (00000401), whose unshifted main block types the Arabic
// letters in the places of a US keyboard's keys (ض on Q, and so on).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "keyinput/UsKeyboardModel.h"
#include "platform/KeystrokeApi.h"

namespace harfpad::fakes::layouts {

inline constexpr const char* kUs = "00000409";
inline constexpr const char* kArabic = "00000401";

inline constexpr std::u16string_view kUsRows[] = {u"`1234567890-=", u"QWERTYUIOP[]\\",
                                                  u"ASDFGHJKL;'", u"ZXCVBNM,./"};
inline constexpr std::u16string_view kArabicRows[] = {
    u"\u0630\u0031\u0032\u0033\u0034\u0035\u0036\u0037\u0038\u0039\u0030-=",
    u"\u0636\u0635\u062B\u0642\u0641\u063A\u0639\u0647\u062E\u062D\u062C\u062F\\",
    u"\u0634\u0633\u064A\u0628\u0644\u0627\u062A\u0646\u0645\u0643\u0637",
    u"\u0626\u0621\u0624\u0631\uFEFB\u0649\u0629\u0648\u0632\u0638"};
inline constexpr std::uint16_t kShifted = 0x100, kVkSpace = 0x20;

inline std::uint16_t usVirtualKey(char16_t c) {
    static const std::map<char16_t, std::uint16_t> oem = {
        {u'`', 0xC0}, {u'-', 0xBD},  {u'=', 0xBB}, {u'[', 0xDB}, {u']', 0xDD}, {u'\\', 0xDC},
        {u';', 0xBA}, {u'\'', 0xDE}, {u',', 0xBC}, {u'.', 0xBE}, {u'/', 0xBF}};
    const auto it = oem.find(c);
    return it != oem.end() ? it->second : static_cast<std::uint16_t>(c);
}

// The virtual key of the US key at `column` of main-block row `row` (0: the digit row with the
// grave accent key, 3: Z to slash).
inline std::uint16_t usKeyAt(std::size_t row, std::size_t column) {
    return usVirtualKey(kUsRows[row][column]);
}

// VkKeyScanExW on the named layout; -1 for characters it has no key for (any other layout name
// has no keys at all).
inline std::int16_t vkKeyScan(const std::string& layout, char16_t ch) {
    if (ch == u' ')
        return kVkSpace;
    if (layout == kArabic) {
        for (std::size_t row = 0; row < 4; ++row) {
            const std::size_t column = kArabicRows[row].find(ch);
            if (column != std::u16string_view::npos)
                return static_cast<std::int16_t>(usKeyAt(row, column));
        }
        return -1;
    }
    if (layout == kUs && ch < 0x80)
        return us_layout::vkKeyScan(static_cast<char>(ch));
    return -1;
}

// The character a key types on the named layout, with or without Shift; 0 for none.
inline char16_t characterOf(const std::string& layout, std::uint16_t vk, bool shift) {
    if (vk == kVkSpace)
        return u' ';
    if (layout == kArabic) {
        for (std::size_t row = 0; row < 4; ++row)
            for (std::size_t column = 0; column < kUsRows[row].size(); ++column)
                if (!shift && usVirtualKey(kUsRows[row][column]) == vk)
                    return kArabicRows[row][column];
        return 0;
    }
    if (layout == kUs)
        for (char16_t c = 0x21; c < 0x7F; ++c)
            if (static_cast<std::uint16_t>(us_layout::vkKeyScan(static_cast<char>(c))) ==
                (vk | (shift ? kShifted : 0)))
                return c;
    return 0;
}

}  // namespace harfpad::fakes::layouts
