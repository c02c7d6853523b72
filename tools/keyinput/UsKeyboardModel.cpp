#include "keyinput/UsKeyboardModel.h"

#include <array>

namespace harfpad::fakes::us_layout {
namespace {

constexpr std::int16_t kShift = 0x100;
constexpr std::int16_t kCtrl = 0x200;

struct KeyInfo {
    std::uint8_t scan = 0;
    char16_t character = 0;  // what the key gives without modifiers
};

// Scan codes and unshifted characters of the US layout's keys, indexed by virtual key.
constexpr std::array<KeyInfo, 256> makeKeys() {
    std::array<KeyInfo, 256> keys{};
    keys[8] = {14, 8};    // Backspace
    keys[9] = {15, 9};    // Tab
    keys[12] = {76, 0};   // Clear (keypad 5 without Num Lock)
    keys[13] = {28, 13};  // Enter
    keys[16] = {42, 0};   // Shift
    keys[17] = {29, 0};   // Ctrl
    keys[18] = {56, 0};   // Alt
    keys[20] = {58, 0};   // Caps Lock
    keys[27] = {1, 27};   // Esc
    keys[32] = {57, u' '};
    const std::uint8_t navigation[] = {73, 81, 79, 71, 75, 72, 77, 80};  // PgUp .. Down (33..40)
    for (int i = 0; i < 8; ++i) keys[33 + i] = {navigation[i], 0};
    keys[44] = {84, 0};  // Print Screen
    keys[45] = {82, 0};  // Insert
    keys[46] = {83, 0};  // Delete
    keys['0'] = {11, u'0'};
    for (int d = 1; d <= 9; ++d)
        keys['0' + d] = {static_cast<std::uint8_t>(d + 1), static_cast<char16_t>(u'0' + d)};
    const std::uint8_t letters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                      49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    for (int i = 0; i < 26; ++i) keys['A' + i] = {letters[i], static_cast<char16_t>(u'A' + i)};
    keys[91] = {91, 0};  // left Windows key
    keys[92] = {92, 0};  // right Windows key
    keys[93] = {93, 0};  // Applications
    const std::uint8_t keypad[10] = {82, 79, 80, 81, 75, 76, 77, 71, 72, 73};
    for (int i = 0; i < 10; ++i) keys[96 + i] = {keypad[i], static_cast<char16_t>(u'0' + i)};
    keys[106] = {55, u'*'};
    keys[107] = {78, u'+'};
    keys[109] = {74, u'-'};
    keys[110] = {83, u'.'};
    keys[111] = {53, u'/'};
    const std::uint8_t functionKeys[12] = {59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 87, 88};
    for (int i = 0; i < 12; ++i) keys[112 + i] = {functionKeys[i], 0};
    keys[144] = {69, 0};  // Num Lock
    keys[145] = {70, 0};  // Scroll Lock
    keys[160] = {42, 0};  // left and right Shift, Ctrl, Alt
    keys[161] = {54, 0};
    keys[162] = {29, 0};
    keys[163] = {29, 0};
    keys[164] = {56, 0};
    keys[165] = {56, 0};
    keys[186] = {39, u';'};
    keys[187] = {13, u'='};
    keys[188] = {51, u','};
    keys[189] = {12, u'-'};
    keys[190] = {52, u'.'};
    keys[191] = {53, u'/'};
    keys[192] = {41, u'`'};
    keys[219] = {26, u'['};
    keys[220] = {43, u'\\'};
    keys[221] = {27, u']'};
    keys[222] = {40, u'\''};
    keys[226] = {86, u'\\'};
    return keys;
}

constexpr std::array<KeyInfo, 256> kKeys = makeKeys();

// Characters typed with Shift held, with the key that gives them.
struct ShiftedChar {
    char character;
    std::uint8_t vk;
};
constexpr ShiftedChar kShifted[] = {
    {'~', 192}, {'!', '1'}, {'@', '2'}, {'#', '3'}, {'$', '4'}, {'%', '5'}, {'^', '6'},
    {'&', '7'}, {'*', '8'}, {'(', '9'}, {')', '0'}, {'_', 189}, {'+', 187}, {'{', 219},
    {'}', 221}, {'|', 220}, {':', 186}, {'"', 222}, {'<', 188}, {'>', 190}, {'?', 191},
};

}  // namespace

std::int16_t vkKeyScan(char ansiChar) {
    const auto c = static_cast<unsigned char>(ansiChar);
    if (c >= 'a' && c <= 'z')
        return static_cast<std::int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z')
        return static_cast<std::int16_t>(kShift | c);
    for (const ShiftedChar& s : kShifted)
        if (s.character == static_cast<char>(c))
            return static_cast<std::int16_t>(kShift | s.vk);
    // Control characters come from Ctrl with a letter or a punctuation key.
    switch (c) {
        case 0x00:
            return kCtrl | kShift | '2';
        case 0x0A:
            return kCtrl | 13;
        case 0x1C:
            return kCtrl | 220;
        case 0x1D:
            return kCtrl | 221;
        case 0x1E:
            return kCtrl | kShift | '6';
        case 0x1F:
            return kCtrl | kShift | 189;
        case 0x7F:
            return kCtrl | 8;
        default:
            break;
    }
    // Keys whose own character this is (digits, punctuation, space, Tab, Enter, Backspace, Esc);
    // the main block wins over the keypad.
    for (int vk = 0; vk < 96; ++vk)
        if (kKeys[vk].character == c)
            return static_cast<std::int16_t>(vk);
    for (int vk = 186; vk < 256; ++vk)
        if (kKeys[vk].character == c)
            return static_cast<std::int16_t>(vk);
    if (c >= 0x01 && c <= 0x1A)
        return static_cast<std::int16_t>(kCtrl | ('A' + c - 1));
    return -1;  // nothing on this layout types the accented and other upper-half characters
}

std::uint32_t mapVirtualKey(std::uint32_t code, std::uint32_t mode) {
    if (code > 255)
        return 0;
    switch (mode) {
        case 0:
            return kKeys[code].scan;
        case 2:
            return kKeys[code].character;
        default:
            return 0;
    }
}

std::uint32_t toCp1252(char16_t ch) {
    if (ch < 0x100)
        return ch;  // Latin-1 and, by best fit, the C1 controls
    static constexpr char16_t kUpperSpecials[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (std::uint32_t i = 0; i < 32; ++i)
        if (kUpperSpecials[i] == ch)
            return 0x80 + i;
    return '?';
}

}  // namespace harfpad::fakes::us_layout
