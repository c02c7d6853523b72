// Send-keys notation turned into keystrokes on the layouts of the fake system.
#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/FakeKeystrokeSender.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/SendKeysPlan.h"

namespace harfpad {
namespace {

// The US layout of the fake system, with two keys as other layouts have them.
class UsLayout final : public ILayoutKeyLookup {
  public:
    std::int16_t vkKeyScan(char16_t ch) override {
        ++lookups;
        if (ch == u'@')
            return 0x632;  // Ctrl+Alt and 2
        if (ch == u'\u00E9')
            return 0x8DE;  // a dead-key state we cannot press
        return fakes::layouts::vkKeyScan(fakes::layouts::kUs, ch);
    }
    int lookups = 0;
};

using P = PlannedKey;
constexpr P down(std::uint16_t vk) {
    return {vk, false};
}
constexpr P up(std::uint16_t vk) {
    return {vk, true};
}

TEST(SendKeysPlan, NotationBecomesKeystrokes) {
    const struct {
        const char* what;
        std::u16string keys;
        std::vector<P> plan;
        std::size_t unproducible = 0;
    } rows[] = {
        {"empty", u"", {}},
        {"letter", u"a", {down('A'), up('A')}},
        {"capital needs Shift", u"A", {down(0x10), down('A'), up('A'), up(0x10)}},
        {"enter, any case", u"{enter}", {down(0x0D), up(0x0D)}},
        {"Enter between letters",
         u"a{Enter}b",
         {down('A'), up('A'), down(0x0D), up(0x0D), down('B'), up('B')}},
        {"backspace names",
         u"{BS}{bksp}{Backspace}",
         {down(8), up(8), down(8), up(8), down(8), up(8)}},
        {"braced brace",
         u"{{}{}}",
         {down(0x10), down(0xDB), up(0xDB), up(0x10), down(0x10), down(0xDD), up(0xDD), up(0x10)}},
        // Only what the layout's keys produce is typed; the rest is left out and counted.
        {"no key between keys", u"a\u0644b", {down('A'), up('A'), down('B'), up('B')}, 1},
        {"surrogate pair: both units left out", u"\U0001F600", {}, 2},
        {"Ctrl and Alt released in reverse",
         u"@",
         {down(0x11), down(0x12), down('2'), up('2'), up(0x12), up(0x11)}},
        {"state we cannot press: left out", u"\u00E9", {}, 1},
    };
    for (const auto& row : rows) {
        UsLayout layout;
        const KeystrokePlan plan = planSendKeys(row.keys, layout);
        EXPECT_EQ(plan.keys, row.plan) << row.what;
        EXPECT_EQ(plan.unproducible, row.unproducible) << row.what;
    }
}

// The operation types what the layout can and beeps once for what it cannot.
TEST(SendKeysOperation, SendsThePlanAndBeepsForWhatTheLayoutLacks) {
    const struct {
        std::u16string keys;
        std::string layout;
        std::u16string typed;
        int beeps;
    } rows[] = {
        {u"a{enter}1", fakes::layouts::kUs, u"a\r\n1", 0},
        {u"\u0636\u0644\u0627", fakes::layouts::kArabic, u"\u0636\u0644\u0627", 0},
        {u"\u0636x", fakes::layouts::kUs, u"x", 1},
        {u"\u0636", fakes::layouts::kUs, u"", 1},
    };
    for (const auto& row : rows) {
        fakes::FakeKeyboardLayout layout;
        layout.active = row.layout;
        fakes::FakeKeystrokeSender sender(layout);
        SendKeys(sender, row.keys, true);
        EXPECT_EQ(sender.typed(), row.typed);
        EXPECT_EQ(sender.beeps, row.beeps);
        EXPECT_EQ(sender.sends.size(), row.typed.empty() ? 0u : 1u) << "nothing empty is sent";
        if (!sender.sends.empty()) {
            EXPECT_TRUE(sender.sends[0].wait);
        }
    }
}

TEST(SendKeysPlan, UnreadableTextPlansNothingAndSaysSo) {
    for (std::u16string keys : {u"{enter", u"a{", u"{}", u"{nosuchkey}"}) {
        UsLayout layout;
        EXPECT_THROW(planSendKeys(keys, layout), std::invalid_argument);
        EXPECT_EQ(layout.lookups, 0) << "read before anything is looked up";
    }
}

// The Arabic (101) layout of the fake system.
class ArabicLayout final : public ILayoutKeyLookup {
  public:
    std::int16_t vkKeyScan(char16_t ch) override {
        return fakes::layouts::vkKeyScan(fakes::layouts::kArabic, ch);
    }
};

// The US key in the place of a picture key, from where the page puts it: rows start at the
// left of their first key and keys stand 360 twips apart.
std::uint16_t keyInPlaceOf(int index) {
    namespace pp = picture_page;
    constexpr struct {
        int top, firstLeft;
    } kRows[] = {{240, 120}, {720, 840}, {1200, 1080}, {1680, 1200}};
    for (const ControlSpec& spec : pp::controls()) {
        if (spec.id != pp::keyId(index))
            continue;
        for (std::size_t row = 0; row < 4; ++row)
            if (spec.rect.top == kRows[row].top)
                return fakes::layouts::usKeyAt(
                    row, static_cast<std::size_t>(spec.rect.left - kRows[row].firstLeft) / 360);
    }
    ADD_FAILURE() << "key " << index << " is not in a row of character keys";
    return 0;
}

bool isArabicLetter(std::u16string_view text) {
    return text.size() == 1 && text[0] >= 0x0621 && text[0] <= 0x064A;
}

// What each of the 47 character keys types is what its picture shows; only the digit keys
// differ, showing Arabic-Indic digits and typing ASCII ones. On the Arabic layout a letter key
// presses the key in its own place.
TEST(PictureKeysOnLayouts, EveryCharacterKeyTypesItsLegendAndLettersPressTheirOwnKey) {
    namespace pp = picture_page;
    int pictures = 0, letters = 0;
    for (int index = 0; index < pp::kKeyCount; ++index) {
        const pp::PictureKey& key = pp::keys()[static_cast<std::size_t>(index)];
        ASSERT_NE(key.legend, nullptr) << index;
        if (!key.picture)
            continue;
        ++pictures;
        const std::u16string_view legend = key.legend, text = key.action.text;
        ASSERT_EQ(key.action.kind, pp::KeyAction::SendText) << index;
        if (legend.size() == 1 && legend[0] >= 0x0660 && legend[0] <= 0x0669)
            EXPECT_EQ(text, std::u16string(1, static_cast<char16_t>(legend[0] - 0x0660 + u'0')))
                << index;
        else
            EXPECT_EQ(text, legend) << index;
        if (!isArabicLetter(text))
            continue;
        ++letters;
        ArabicLayout arabic;
        const std::uint16_t vk = keyInPlaceOf(index);
        EXPECT_EQ(planSendKeys(text, arabic).keys, (std::vector<P>{down(vk), up(vk)})) << index;
    }
    EXPECT_EQ(pictures, 47);
    EXPECT_EQ(letters, 33) << "every Arabic letter key but the two-letter one";
}

}  // namespace
}  // namespace harfpad
