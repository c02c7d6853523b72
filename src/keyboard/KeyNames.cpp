#include "keyboard/KeyNames.h"

#include <array>

namespace harfpad::key_names {
namespace {

constexpr std::array<std::u16string_view, kCharacterKeyCount> kPositions = {
    u"grave accent",
    u"1",
    u"2",
    u"3",
    u"4",
    u"5",
    u"6",
    u"7",
    u"8",
    u"9",
    u"0",
    u"minus",
    u"equals",
    u"Q",
    u"W",
    u"E",
    u"R",
    u"T",
    u"Y",
    u"U",
    u"I",
    u"O",
    u"P",
    u"left bracket",
    u"right bracket",
    u"backslash",
    u"A",
    u"S",
    u"D",
    u"F",
    u"G",
    u"H",
    u"J",
    u"K",
    u"L",
    u"semicolon",
    u"apostrophe",
    u"Z",
    u"X",
    u"C",
    u"V",
    u"B",
    u"N",
    u"M",
    u"comma",
    u"period",
    u"slash",
};

// The Arabic harakat and tanween the keyboards type alone, U+064B to U+0652.
constexpr std::array<std::u16string_view, 8> kMarks = {
    u"fathatan", u"dammatan", u"kasratan", u"fatha", u"damma", u"kasra", u"shadda", u"sukun",
};

constexpr std::array<std::u16string_view, 11> kSpecial = {
    u"Backspace", u"Tab",      u"Caps Lock", u"Enter",     u"Left Shift", u"Right Shift",
    u"Left Ctrl", u"Left Alt", u"Space",     u"Right Alt", u"Right Ctrl",
};

}  // namespace

std::u16string characterKeyName(std::u16string_view typed, int characterKey) {
    std::u16string name(typed);
    if (typed.size() == 1 && typed[0] >= 0x064B && typed[0] <= 0x0652)
        name = kMarks[typed[0] - 0x064B];
    if (characterKey >= 0 && characterKey < kCharacterKeyCount) {
        name += u", ";
        name += kPositions[static_cast<std::size_t>(characterKey)];
        name += u" key";
    }
    return name;
}

std::u16string_view specialKeyName(SpecialKey key) {
    return kSpecial[static_cast<std::size_t>(key)];
}

}  // namespace harfpad::key_names
