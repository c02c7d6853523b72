// The "KB Testing" keyboard on the main window: layout switch, focus, then the key's action.
#include <gtest/gtest.h>

#include "fakes/FakeForm1Platform.h"
#include "keyboard/KeyNavigation.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"

namespace harfpad {
namespace {

namespace pp = picture_page;

class PictureKeyboardTest : public ::testing::Test, protected fakes::FakeForm1Platform {
  protected:
    void SetUp() override {
        form.show();
        // What the world looks like when the keystrokes go out.
        keystrokes.onSend = [this] {
            layoutAtSend = layouts.active.name;
            focusAtSend = window.activeControl();
        };
    }
    void click(int index) { window.userClick(pp::keyId(index)); }

    Form1 form{platform()};
    std::string layoutAtSend;
    ControlId focusAtSend = kNoControl;
};

// Every key switches to Arabic and focuses Text4 first; then a text key types its character
// through that layout and waits, Backspace and Capslock tap their key through clsKeys, and the
// modifier keys do nothing more.
TEST_F(PictureKeyboardTest, KeysSwitchToArabicFocusText4ThenAct) {
    using fakes::KeyEvent;
    const auto check = [&](int index, std::u16string_view typed, std::vector<KeyEvent> taps) {
        layouts.active = "00000409";
        window.setFocus(pp::kKeyboardArrayFirst);
        keystrokes.sends.clear();
        keys.events.clear();
        click(index);
        EXPECT_EQ(keystrokes.typed(), typed) << index;
        EXPECT_EQ(keys.events, taps) << index;
        EXPECT_EQ(layouts.active.name, "00000401") << index;
        EXPECT_EQ(window.activeControl(), pp::kText4) << index;
        ASSERT_EQ(keystrokes.sends.empty(), typed.empty()) << index;
        if (typed.empty())
            return;
        EXPECT_TRUE(keystrokes.sends[0].wait) << index;
        EXPECT_EQ(layoutAtSend, "00000401") << "switched before any keystroke, key " << index;
        EXPECT_EQ(focusAtSend, pp::kText4) << index;
    };
    // What each key types is checked whole elsewhere; these are one of each kind of key.
    const std::pair<int, std::u16string> typing[] = {
        {1, u"1"},  // the picture shows U+0661, the key types ASCII
        {14, u"     "}, {15, u"\u0636"}, {40, u"\r\n"}, {47, u"\u0644\u0627"}, {54, u" "},
    };
    for (const auto& [index, typed] : typing) check(index, typed, {});
    // Backspace produces a character: not extended.
    check(13, u"", {KeyEvent::key(8, 0x0E, 0), KeyEvent::key(8, 0x0E, 2)});
    check(28, u"", {KeyEvent::key(20, 0x3A, 1), KeyEvent::key(20, 0x3A, 3)});
    for (int index : {41, 42, 53, 55, 56, 57}) check(index, u"", {});
    EXPECT_EQ(keystrokes.beeps, 0);
}

// Where the Arabic layout never became active, its letters are not typed: the box then shows
// that Arabic input is broken instead of faking it.
TEST_F(PictureKeyboardTest, LettersAreNotTypedWhenArabicDoesNotBecomeActive) {
    layouts.activateOnLoad = false;
    click(15);
    click(1);
    EXPECT_EQ(keystrokes.typed(), u"1");
    EXPECT_EQ(keystrokes.beeps, 1);
}

// Keys the user holds while clicking do not mix into the keystrokes: each key types what it types
// alone (Shift with "2" would type "@", Ctrl with the keys of ر, ء and ئ would paste, cut and
// undo), no menu or Start opens, and afterwards the held keys are down as the hands hold them.
TEST_F(PictureKeyboardTest, HeldModifiersDoNotMixIntoTheKeys) {
    keys.onEvent = [this](const fakes::KeyEvent& e) {
        if (e.kind == fakes::KeyEvent::Kind::key)
            keystrokes.injected(static_cast<std::uint16_t>(e.vk), (e.flags & 2) != 0);
    };
    // The last: Space, then Backspace removing it.
    const struct {
        std::vector<int> indices;
        std::u16string typed;
    } rows[] = {{{2}, u"2"}, {{46}, u"\u0631"}, {{40}, u"\r\n"}, {{54, 13}, u""}};
    std::vector<ModifierKeys> holds = {0};
    for (const ModifierKey& key : kModifierKeys) holds.push_back(key.bit);
    holds.push_back(kModifierKeys[2].bit | kModifierKeys[1].bit);  // left Ctrl, right Shift
    holds.push_back(kModifierKeys[4].bit | kModifierKeys[0].bit);  // left Alt, left Shift
    for (const ModifierKeys held : holds) {
        for (const auto& row : rows) {
            keystrokes.sends.clear();
            keystrokes.hands = held;
            for (int index : row.indices) click(index);
            const auto effects = keystrokes.effects();
            const std::string what =
                "held " + std::to_string(held) + ", key " + std::to_string(row.indices.back());
            EXPECT_EQ(effects.typed, row.typed) << what;
            EXPECT_TRUE(effects.shortcuts.empty()) << what;
            EXPECT_EQ(effects.menusOpened, 0) << what;
            EXPECT_EQ(effects.modifiersLeftDown, held) << what;
            EXPECT_EQ(effects.otherKeysLeftDown, 0u) << what;
            // Letting go later opens nothing either.
            for (const ModifierKey& key : kModifierKeys)
                if (held & key.bit)
                    keystrokes.injected(key.vk, true);
            EXPECT_EQ(keystrokes.effects().menusOpened, 0) << what << ", let go";
        }
    }
}

// Arrows, Home and End on both keyboards go by where the keys stand on a 101-key keyboard:
// Q under 2, A nearer W than Q, Space under B, Backspace above the backslash key; at a row's end
// or in the last row the focus stays.
TEST(KeyNavigation, ArrowsHomeAndEndFollowTheKeyboardsRows) {
    using N = NavigationKey;
    const struct {
        int from;  // a picture key's index, or a control id
        NavigationKey key;
        int to;
    } picture[] = {{0, N::Right, 1},  {0, N::Left, 0},   {12, N::Right, 13}, {0, N::Up, 0},
                   {0, N::Down, 14},  {13, N::Down, 27}, {15, N::Up, 2},     {29, N::Up, 16},
                   {41, N::Down, 42}, {54, N::Up, 47},   {54, N::Down, 54},  {30, N::Home, 28},
                   {30, N::End, 40}},
      unicode[] = {{unicode_page::characterKeyId(0), N::Down, unicode_page::kCmd15},
                   {unicode_page::kCmdspaceb, N::Up, unicode_page::characterKeyId(41)},
                   {unicode_page::kCmd13, N::Down, unicode_page::characterKeyId(25)},
                   {unicode_page::kTxtarabic, N::Left, kNoControl}};
    for (const auto& row : picture)
        EXPECT_EQ(nextKey(pp::controls(), pp::keyId(row.from), row.key), pp::keyId(row.to))
            << row.from << " key " << static_cast<int>(row.key);
    for (const auto& row : unicode)
        EXPECT_EQ(nextKey(unicode_page::controls(), row.from, row.key), row.to) << row.from;
}

}  // namespace
}  // namespace harfpad
