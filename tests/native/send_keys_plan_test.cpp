// Send-keys notation turned into keystrokes on a small US-like layout.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "keyboard/SendKeysPlan.h"

namespace harfpad {
namespace {

class UsLayout final : public ILayoutKeyLookup {
  public:
    std::int16_t vkKeyScan(char16_t ch) override {
        ++lookups;
        if (ch >= u'a' && ch <= u'z')
            return static_cast<std::int16_t>(ch - u'a' + 'A');
        if (ch >= u'A' && ch <= u'Z')
            return static_cast<std::int16_t>(0x100 | ch);
        if (ch >= u'0' && ch <= u'9')
            return static_cast<std::int16_t>(ch);
        static const std::map<char16_t, std::int16_t> others = {
            {u' ', 0x20},
            {u'-', 0xBD},
            {u'=', 0xBB},
            {u'\\', 0xDC},
            {u'{', 0x1DB},
            {u'}', 0x1DD},
            {u'@', 0x632},       // AltGr+Ctrl style, as some layouts
                                 // have
            {u'\u00E9', 0x8DE},  // a dead-key state we cannot press
        };
        const auto it = others.find(ch);
        return it == others.end() ? std::int16_t{-1} : it->second;
    }
    int lookups = 0;
};

using P = PlannedKey;
constexpr P down(std::uint16_t vk) {
    return {P::VirtualKey, vk, false};
}
constexpr P up(std::uint16_t vk) {
    return {P::VirtualKey, vk, true};
}
constexpr P uniDown(char16_t c) {
    return {P::Unicode, c, false};
}
constexpr P uniUp(char16_t c) {
    return {P::Unicode, c, true};
}

TEST(SendKeysPlan, NotationBecomesKeystrokes) {
    const struct {
        const char* what;
        std::u16string keys;
        std::vector<P> plan;
    } rows[] = {
        {"empty", u"", {}},
        {"letter", u"a", {down('A'), up('A')}},
        {"capital needs Shift", u"A", {down(0x10), down('A'), up('A'), up(0x10)}},
        {"digit", u"1", {down('1'), up('1')}},
        {"five spaces",
         u"     ",
         {down(' '), up(' '), down(' '), up(' '), down(' '), up(' '), down(' '), up(' '), down(' '),
          up(' ')}},
        {"enter, any case", u"{enter}", {down(0x0D), up(0x0D)}},
        {"ENTER", u"{ENTER}", {down(0x0D), up(0x0D)}},
        {"Enter between letters",
         u"a{Enter}b",
         {down('A'), up('A'), down(0x0D), up(0x0D), down('B'), up('B')}},
        {"backspace names",
         u"{BS}{bksp}{Backspace}",
         {down(8), up(8), down(8), up(8), down(8), up(8)}},
        {"braced brace",
         u"{{}{}}",
         {down(0x10), down(0xDB), up(0xDB), up(0x10), down(0x10), down(0xDD), up(0xDD), up(0x10)}},
        {"braced letter", u"{x}", {down('X'), up('X')}},
        {"no key: Unicode",
         u"\u0644\u0627",
         {uniDown(u'\u0644'), uniUp(u'\u0644'), uniDown(u'\u0627'), uniUp(u'\u0627')}},
        {"surrogate pair: one keystroke per unit",
         u"\U0001F600",
         {uniDown(0xD83D), uniUp(0xD83D), uniDown(0xDE00), uniUp(0xDE00)}},
        {"Ctrl and Alt released in reverse",
         u"@",
         {down(0x11), down(0x12), down('2'), up('2'), up(0x12), up(0x11)}},
        {"state we cannot press: Unicode", u"\u00E9", {uniDown(0xE9), uniUp(0xE9)}},
        {"punctuation stands for itself",
         u"-=\\",
         {down(0xBD), up(0xBD), down(0xBB), up(0xBB), down(0xDC), up(0xDC)}},
    };
    for (const auto& row : rows) {
        UsLayout layout;
        EXPECT_EQ(planSendKeys(row.keys, layout), row.plan) << row.what;
    }
}

TEST(SendKeysPlan, UnreadableTextPlansNothingAndSaysSo) {
    for (std::u16string keys : {u"{enter", u"a{", u"{}", u"{nosuchkey}"}) {
        UsLayout layout;
        EXPECT_THROW(planSendKeys(keys, layout), std::invalid_argument);
        EXPECT_EQ(layout.lookups, 0) << "read before anything is looked up";
    }
}

}  // namespace
}  // namespace harfpad
