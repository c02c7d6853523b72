#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "keyinput/RecordingKeyInput.h"
#include "keyboard/clsKeys.h"

namespace harfpad {
namespace {

using fakes::KeyEvent;
using Events = std::vector<KeyEvent>;

KeyEvent K(std::uint32_t vk, std::uint32_t scan, std::uint32_t flags) {
    return KeyEvent::key(vk, scan, flags);
}
Events operator+(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Events times(int n, const Events& e) {
    Events all;
    for (int i = 0; i < n; ++i) all = all + e;
    return all;
}

// Events as the US layout produces them (virtual key, scan code, flags).
const Events kShiftDown{K(16, 42, 1)}, kShiftUp{K(16, 42, 3)};
const Events kCtrlDown{K(17, 29, 1)}, kCtrlUp{K(17, 29, 3)};
const Events kAltDown{K(18, 56, 1)}, kAltUp{K(18, 56, 3)};
const Events kA{K(65, 30, 0), K(65, 30, 2)};
const Events kB{K(66, 48, 0), K(66, 48, 2)};
const Events kC{K(67, 46, 0), K(67, 46, 2)};
const Events kX{K(88, 45, 0), K(88, 45, 2)};
// A character that needs Shift: the shifted mapping has no scan code and no character.
Events shifted(std::uint32_t vk) {
    return {K(16, 0, 0), K(vk, 0, 1), K(vk, 0, 3), K(16, 0, 2)};
}
const Events kEnter{K(13, 28, 0), K(13, 28, 2)};
const Events kLeft{K(37, 75, 1), K(37, 75, 3)};

class KeysTest : public ::testing::Test {
  protected:
    fakes::RecordingKeyInput system;
    clsKeys keys{system, system};
};

// A code outside one byte fails before anything is sent.
TEST_F(KeysTest, PressKeyVKEvents) {
    struct Row {
        int code;
        bool hold, release, compatible;
        Events expected;
        bool overflow = false;
    } rows[] = {
        {35, false, false, false, {K(35, 79, 1), K(35, 79, 3)}},
        {35, false, false, true, {K(35, 79, 0), K(35, 79, 2)}},
        {13, false, false, false, kEnter},
        {16, true, false, false, kShiftDown},
        {16, false, true, false, kShiftUp},
        {0, false, false, false, {K(0, 0, 1), K(0, 0, 3)}},
        {255, false, false, false, {K(255, 0, 1), K(255, 0, 3)}},
        {-5, true, true, false, {}},  // nothing to send, so nothing to fail
        {256, false, false, false, {}, true},
        {-1, false, false, false, {}, true},
    };
    for (const Row& row : rows) {
        system.events.clear();
        if (row.overflow)
            EXPECT_THROW(keys.PressKeyVK(row.code, row.hold, row.release), std::overflow_error)
                << row.code;
        else
            keys.PressKeyVK(row.code, row.hold, row.release, row.compatible);
        EXPECT_EQ(system.events, row.expected)
            << row.code << " hold " << row.hold << " release " << row.release << "\n"
            << fakes::describe(system.events);
    }
}

TEST_F(KeysTest, PressKeyEvents) {
    struct Row {
        std::u16string text;
        bool hold, release;
        Events expected;
    } rows[] = {
        {u"a", false, false, kA},
        {u"ab", false, false, kA},
        {u"A", false, false, shifted(65)},
        {u"A", true, false, {K(16, 0, 0), K(65, 0, 1)}},
        {u"A", false, true, {K(65, 0, 3), K(16, 0, 2)}},
        {u"A", true, true, {}},
        {u"\n", false, false, {K(17, 0, 0), K(13, 0, 1), K(13, 0, 3), K(17, 0, 2)}},
        // Shift and Ctrl together: released in the order they went down.
        {u"\x1e",
         false,
         false,
         {K(16, 0, 0), K(17, 0, 0), K(54, 0, 1), K(54, 0, 3), K(16, 0, 2), K(17, 0, 2)}},
        // No key of the layout types these: nothing is sent.
        {u"\u00e9", false, false, {}},
        // Not in the code page: typed as its replacement "?".
        {u"\u0628", false, false, shifted(191)},
    };
    for (const Row& row : rows) {
        system.events.clear();
        keys.PressKey(row.text, row.hold, row.release);
        EXPECT_EQ(system.events, row.expected) << "text of " << row.text.size() << " starting U+"
                                               << std::hex << static_cast<int>(row.text[0]) << "\n"
                                               << fakes::describe(system.events);
    }
}

TEST_F(KeysTest, PressKeyModifierBitsOfOtherLayouts) {
    struct Row {
        std::int16_t mapping;
        Events expected;
    } rows[] = {
        {0x0000, {}},  // a mapping of 0 sends nothing
        {0x0641, {K(17, 0, 0), K(18, 0, 0), K(65, 0, 1), K(65, 0, 3), K(17, 0, 2), K(18, 0, 2)}},
        // Bits above Alt press nothing, but the whole mapping still has no character.
        {0x0841, {K(65, 0, 1), K(65, 0, 3)}},
    };
    for (const Row& row : rows) {
        system.events.clear();
        system.otherLayout['q'] = row.mapping;
        keys.PressKey(u"q");
        EXPECT_EQ(system.events, row.expected) << std::hex << row.mapping << "\n"
                                               << fakes::describe(system.events);
    }
}

TEST_F(KeysTest, PressKeyErrorsSendNothing) {
    system.multiByte[u'\u3042'] = 0x82A0;  // a two-byte character of a double-byte code page
    system.multiByte[u'\u0100'] = 0x100;   // the least that needs two bytes
    EXPECT_THROW(keys.PressKey(u""), std::invalid_argument);
    EXPECT_THROW(keys.PressKey(u"\u3042a"), std::overflow_error);
    EXPECT_THROW(keys.PressKey(u"\u0100"), std::overflow_error);
    EXPECT_TRUE(system.events.empty()) << fakes::describe(system.events);
}

TEST_F(KeysTest, PressStringTypesCharactersWithPauses) {
    struct Row {
        std::u16string text;
        bool doEvents;
        Events expected;
    } rows[] = {
        {u"", false, {}},
        {u"abc", false,
         kA + Events{KeyEvent::pause(20)} + kB + Events{KeyEvent::pause(20)} + kC +
             Events{KeyEvent::pause(20)}},
        {u"aB", true,
         kA + Events{KeyEvent::pause(20), KeyEvent::yield()} + shifted(66) +
             Events{KeyEvent::pause(20), KeyEvent::yield()}},
        {u"\u00e9a", false, Events{KeyEvent::pause(20)} + kA + Events{KeyEvent::pause(20)}},
    };
    for (const Row& row : rows) {
        system.events.clear();
        keys.PressString(row.text, row.doEvents);
        EXPECT_EQ(system.events, row.expected) << row.text.size() << " characters\n"
                                               << fakes::describe(system.events);
    }
}

TEST_F(KeysTest, PressStringStopsAtACharacterItCannotConvert) {
    system.multiByte[u'\u3042'] = 0x82A0;
    EXPECT_THROW(keys.PressString(u"a\u3042b"), std::overflow_error);
    EXPECT_EQ(system.events, kA + Events{KeyEvent::pause(20)});
}

TEST_F(KeysTest, GetLockStatusTestsTheWholeState) {
    struct Row {
        std::uint16_t caps, num, scroll;
        bool capsOn, numOn, scrollOn;
    } rows[] = {
        {0, 0, 0, false, false, false},
        {0, 0, 1, false, false, true},
        {0x8000, 0, 0, true, false, false},  // held down while toggled off
        {0x8001, 0x8000, 0x8001, true, true, true},
        {0, 0x0100, 0, false, true, false},
    };
    for (const Row& row : rows) {
        system.keyState[20] = row.caps;
        system.keyState[144] = row.num;
        system.keyState[145] = row.scroll;
        system.keyState[16] = 0x8001;  // other keys play no part
        bool caps = !row.capsOn, num = !row.numOn, scroll = !row.scrollOn;
        keys.GetLockStatus(caps, num, scroll);
        EXPECT_EQ(std::tie(caps, num, scroll), std::tie(row.capsOn, row.numOn, row.scrollOn))
            << row.caps << " " << row.num << " " << row.scroll;
    }
    EXPECT_TRUE(system.events.empty());
}

// A script that fails keeps what it sent before the failure.
TEST_F(KeysTest, ScriptTable) {
    enum Error { none, invalid, overflow };
    struct Row {
        std::u16string script;
        Events expected;
        Error error = none;
    } rows[] = {
        {u"+abc", kShiftDown + kA + kShiftUp + kB + kC},
        {u"+(abc)", kShiftDown + kA + kB + kC + kShiftUp},
        {u"^+a", kCtrlDown + kShiftDown + kShiftUp + kCtrlUp + kA},
        {u"abc+", kA + kB + kC + kShiftDown + kShiftUp},
        {u")", {}},
        {u"(", {}},
        {u"~", kEnter},
        {u"{enter}", kEnter},
        {u"{LEFT 3}", times(3, kLeft)},
        {u"{a 3}", times(3, kA)},
        {u"{a 0}", {}},
        {u"{a 1x}", times(10, kA)},
        {u"{F1}{F10}", {K(112, 59, 1), K(112, 59, 3), K(121, 68, 1), K(121, 68, 3)}},
        {u"{DEL}{DELETE}{INS}{INSERT}",
         times(2, {K(46, 83, 1), K(46, 83, 3)}) + times(2, {K(45, 82, 1), K(45, 82, 3)})},
        {u"{}", shifted(221)},
        {u"{+}{(}{)}{{}{~}{^}{%}", shifted(187) + shifted(57) + shifted(48) + shifted(219) +
                                       shifted(192) + shifted(54) + shifted(53)},
        {u"{BS}{BKSP}{backspace}", times(3, {K(8, 14, 0), K(8, 14, 2)})},
        {u"{TAB}{ESC}", Events{K(9, 15, 0), K(9, 15, 2), K(27, 1, 0), K(27, 1, 2)}},
        {u"{ENTER", kEnter},  // a name that ends the script is still a name
        {u"{capslock}{NumLock}{SCROLLLOCK}", Events{K(20, 58, 1), K(20, 58, 3), K(144, 69, 1),
                                                    K(144, 69, 3), K(145, 70, 1), K(145, 70, 3)}},
        {u"{PGUP}{PGDN}{END}{HOME}",
         Events{K(33, 73, 1), K(33, 73, 3), K(34, 81, 1), K(34, 81, 3), K(35, 79, 1), K(35, 79, 3),
                K(36, 71, 1), K(36, 71, 3)}},
        {u"{UP}{RIGHT}{DOWN}", Events{K(38, 72, 1), K(38, 72, 3), K(39, 77, 1), K(39, 77, 3),
                                      K(40, 80, 1), K(40, 80, 3)}},
        {u"{ 3}", Events{K(32, 57, 0), K(32, 57, 2), K(51, 4, 0), K(51, 4, 2)}},
        {u"{a 2 }", times(20, kA)},  // the count runs to the "}": the trailing blank is a 0
        {u"+}", kShiftDown + kShiftUp},
        {u"+((a)b)c",
         kShiftDown + kA + kShiftUp + kB + kC},  // the first ")" releases, the second finds none
        // A modifier directly before a braced item covers the item.
        {u"+{LEFT 2}a", kShiftDown + kLeft + kLeft + kShiftUp + kA},
        {u"+{LEFTX}", kShiftDown + kLeft + shifted(88) + kShiftUp},
        {u"+(^{END}a)b", kShiftDown + kCtrlDown + Events{K(35, 79, 1), K(35, 79, 3)} + kCtrlUp +
                             kA + kShiftUp + kB},
        // What a script leaves open is released before it returns.
        {u"^(%(x", kCtrlDown + kAltDown + kX + kAltUp + kCtrlUp},
        {u"+{a 2", kShiftDown + kA + kA + kShiftUp},
        // "{}" types "}" and is the one item the Ctrl covers: x goes out without Ctrl.
        {u"^{}x", kCtrlDown + shifted(221) + kCtrlUp + kX},
        {u"^({})x", kCtrlDown + shifted(221) + kCtrlUp + kX},
        {u"^{}}x", kCtrlDown + shifted(221) + kCtrlUp + kX},
        {u"abc{", kA + kB + kC, invalid},
        // A modifier pressed before the failure is released before the error goes on.
        {u"+{", kShiftDown + kShiftUp, invalid},
        {u"+(ab{", kShiftDown + kA + kB + kShiftUp, invalid},
        {u"a{a 2147483648}", kA, overflow},
        {u"+{a 99999999999}", kShiftDown + kShiftUp, overflow},
    };
    for (const Row& row : rows) {
        system.events.clear();
        const std::string name(row.script.begin(), row.script.end());
        if (row.error == invalid)
            EXPECT_THROW(keys.PressSendKeys(row.script), std::invalid_argument) << name;
        else if (row.error == overflow)
            EXPECT_THROW(keys.PressSendKeys(row.script), std::overflow_error) << name;
        else
            keys.PressSendKeys(row.script);
        EXPECT_EQ(system.keys(), row.expected) << name << "\n" << fakes::describe(system.keys());
        // Whatever the script, no modifier it pressed is still down when it returns.
        for (int vk : {16, 17, 18})
            EXPECT_FALSE(system.keyState[vk] & 0x8000) << vk << " left down";
    }
}

TEST_F(KeysTest, ScriptYieldsAfterEveryElement) {
    const KeyEvent y = KeyEvent::yield();
    struct Row {
        std::u16string script;
        Events expected;
    } rows[] = {
        {u"+abc", kShiftDown + Events{y, y} + kA + Events{y} + kShiftUp + Events{y} + kB +
                      Events{y} + kC + Events{y}},
        {u"{LEFT 2}", kLeft + Events{y} + kLeft + Events{y, y, y}},
        {u"{a 2}", kA + kA + Events{y, y}},  // typed characters get no yield of their own
        {u"()", {y, y}},
        // A modifier at the very end covers "()"; one before a braced item covers the item.
        {u"a+", kA + Events{y} + kShiftDown + Events{y, y} + kShiftUp + Events{y}},
        {u"+{LEFT 2}",
         kShiftDown + Events{y} + kLeft + Events{y} + kLeft + Events{y, y} + kShiftUp + Events{y}},
    };
    for (const Row& row : rows) {
        system.events.clear();
        keys.PressSendKeys(row.script);
        EXPECT_EQ(system.events, row.expected)
            << std::string(row.script.begin(), row.script.end()) << "\n"
            << fakes::describe(system.events);
    }
}

TEST_F(KeysTest, ReentryDuringAYieldMixesKeystrokes) {
    int calls = 0;
    system.onDoEvents = [&] {
        if (calls++ == 0)
            keys.PressKeyVK(8);
    };
    keys.PressSendKeys(u"ab");
    const Events expected = kA + Events{K(8, 14, 0), K(8, 14, 2)} + kB;
    EXPECT_EQ(system.keys(), expected);
}

TEST_F(KeysTest, LongScriptsPlayEveryElement) {
    std::u16string script;
    const int n = 20000;
    for (int i = 0; i < n; ++i) script += u"+a{b 2}";
    keys.PressSendKeys(script);
    const Events keysSent = system.keys();
    ASSERT_EQ(keysSent.size(), static_cast<std::size_t>(n) * 8);
    const Events unit = kShiftDown + kA + kShiftUp + kB + kB;
    for (std::size_t start = 0; start < keysSent.size(); start += unit.size())
        ASSERT_TRUE(std::equal(unit.begin(), unit.end(), keysSent.begin() + start)) << start;
}

}  // namespace
}  // namespace harfpad
