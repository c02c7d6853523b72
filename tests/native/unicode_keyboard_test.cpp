// The "Unicode Testing" keyboard on the main window: captions, the latched Shift and the text
// each key appends.
#include <gtest/gtest.h>

#include <set>

#include "fakes/FakeForm1Platform.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"

namespace harfpad {
namespace {

namespace up = unicode_page;

class UnicodeKeyboardTest : public ::testing::Test, protected fakes::FakeForm1Platform {
  protected:
    void SetUp() override { form.show(); }

    // The key named `name` in the design ("cmdq").
    static ControlId key(const char* name) {
        const auto keys = up::characterKeys();
        for (int n = 0; n < up::kCharacterKeyCount; ++n)
            if (std::string_view(keys[n].name) == name)
                return up::characterKeyId(n);
        ADD_FAILURE() << "no key " << name;
        return kNoControl;
    }
    void click(ControlId id) { window.userClick(id); }
    void click(const char* name) { click(key(name)); }
    std::u16string text() const { return window.text(up::kTxtarabic); }
    std::size_t endTaps() const {
        std::size_t taps = 0;
        for (std::size_t i = 0; i + 1 < keys.events.size(); ++i)
            if (keys.events[i] == fakes::KeyEvent::key(35, 0x4F, 1) &&
                keys.events[i + 1] == fakes::KeyEvent::key(35, 0x4F, 3))
                ++taps;
        return taps;
    }
    // Whether every character key shows its caption of the one set.
    bool shows(bool shifted) const {
        const auto keyTable = up::characterKeys();
        for (int n = 0; n < up::kCharacterKeyCount; ++n) {
            const auto& key = keyTable[n];
            if (window.text(up::characterKeyId(n)) != (shifted ? key.shifted : key.normal))
                return false;
        }
        return true;
    }

    Form1 form{platform()};
};

// The keyboard starts unshifted. The caption is exactly what the key appends at the end,
// whichever set the keys show, and the caret then stands after the whole text, before End, the
// only keystroke, is tapped.
TEST_F(UnicodeKeyboardTest, EveryKeyAppendsExactlyItsCaptionInBothStates) {
    for (bool shifted : {false, true}) {
        if (shifted)
            click(up::kCmd53);
        EXPECT_TRUE(shows(shifted));
        EXPECT_EQ(form.shiftOn(), shifted);
        for (int n = 0; n < up::kCharacterKeyCount; ++n) {
            const std::u16string caption = window.text(up::characterKeyId(n));
            ASSERT_FALSE(caption.empty()) << n;
            window.setText(up::kTxtarabic, u"x");  // the caret before the x
            click(up::characterKeyId(n));
            EXPECT_EQ(text(), u"x" + caption) << n << (shifted ? " shifted" : "");
            EXPECT_EQ(window.caret(up::kTxtarabic), text().size()) << "after the whole text";
            EXPECT_EQ(window.activeControl(), up::kTxtarabic) << n;
        }
    }
    EXPECT_EQ(endTaps(), 2u * up::kCharacterKeyCount);
    EXPECT_EQ(keys.events.size(), 2 * endTaps());
}

TEST_F(UnicodeKeyboardTest, SpecialKeysAppendTheirText) {
    const struct {
        ControlId key;
        std::u16string appended;
    } rows[] = {
        {up::kCmd28, u"\r\n"},
        {up::kCmdspaceb, u" "},
        {up::kCmd15, u"    "},
    };
    for (const auto& row : rows) {
        window.setText(up::kTxtarabic, u"\u0628");
        click(row.key);
        EXPECT_EQ(text(), u"\u0628" + row.appended) << row.key;
        EXPECT_EQ(window.caret(up::kTxtarabic), text().size()) << row.key;
        EXPECT_EQ(window.activeControl(), up::kTxtarabic);
    }
}

TEST_F(UnicodeKeyboardTest, BackspaceRemovesOneUtf16UnitFromTheEnd) {
    click(up::kCmd13);
    EXPECT_EQ(window.activeControl(), up::kCmd13) << "nothing to remove: the focus stays";
    EXPECT_TRUE(keys.events.empty()) << "and no End key";
    click(up::kCmd28);  // CR LF
    click(up::kCmd13);
    EXPECT_EQ(text(), u"\r") << "the line feed goes first";
    EXPECT_EQ(window.caret(up::kTxtarabic), 1u);
    click(up::kCmd13);
    EXPECT_EQ(text(), u"");

    click("cmdb");  // two characters in one key
    EXPECT_EQ(text(), u"\u0644\u0627");
    click(up::kCmd13);
    EXPECT_EQ(text(), u"\u0644");
    EXPECT_EQ(window.activeControl(), up::kTxtarabic);
}

TEST_F(UnicodeKeyboardTest, ShiftLatchesUntilShiftOrCapslockAgain) {
    click(up::kCmd53);
    EXPECT_TRUE(form.shiftOn());
    EXPECT_TRUE(shows(true));
    EXPECT_EQ(window.activeControl(), up::kCmd53) << "the toggle does not move the focus";
    for (const char* name :
         {"cmdq", "cmdw", "cmde", "cmdr", "cmdt", "cmdy", "cmdu", "cmdi", "cmdo", "cmdp"})
        click(name);
    // Fatha, fathatan, damma, dammatan, lam with hamza-under alef, hamza-under alef, the
    // thousands separator, division, multiplication and the Arabic semicolon.
    EXPECT_EQ(text(), u"\u064E\u064B\u064F\u064C\u0644\u0625\u0625\u066C\u00F7\u00D7\u061B");
    EXPECT_TRUE(form.shiftOn());

    const struct {
        ControlId second;
        const char* what;
    } rows[] = {{up::kCmd40, "Capslock"}, {up::kCmd42, "right Shift"}, {up::kCmd53, "Shift"}};
    for (const auto& row : rows) {
        if (!form.shiftOn())
            click(up::kCmd53);
        click(row.second);
        EXPECT_FALSE(form.shiftOn()) << row.what;
        EXPECT_TRUE(shows(false)) << row.what;
    }
}

TEST_F(UnicodeKeyboardTest, CtrlAndAltChangeNeitherTextNorShift) {
    window.setText(up::kTxtarabic, u"\u0639");
    for (bool shifted : {false, true}) {
        if (shifted)
            click(up::kCmd53);
        for (ControlId id : {up::kCmdctrl1, up::kCmdalt1, up::kCmdalt2, up::kCmdctrl}) {
            click(id);
            EXPECT_EQ(text(), u"\u0639");
            EXPECT_EQ(form.shiftOn(), shifted);
            EXPECT_EQ(window.activeControl(), id);
        }
    }
}

TEST_F(UnicodeKeyboardTest, LoadingAgainAfterClosingShiftedStartsUnshiftedAndAgreeing) {
    click(up::kCmd53);
    ASSERT_TRUE(form.shiftOn());
    window.userClose();
    form.show();
    EXPECT_TRUE(shows(false));
    EXPECT_FALSE(form.shiftOn());
    click(up::kCmd53);
    EXPECT_TRUE(shows(true)) << "the first Shift shifts";
}

// The caption tables as a user of a US keyboard meets them.
TEST(UnicodeKeyboardCaptions, TablesHoldWhatTheKeysPromise) {
    const auto keyTable = up::characterKeys();
    std::set<std::string> names;
    int twoCharacterCaptions = 0;
    for (const auto& k : keyTable) {
        EXPECT_TRUE(names.insert(k.name).second) << "duplicate " << k.name;
        const std::u16string_view normal = k.normal, shifted = k.shifted;
        EXPECT_NE(normal, shifted) << k.name;
        twoCharacterCaptions += (normal.size() == 2) + (shifted.size() == 2);
    }
    EXPECT_EQ(twoCharacterCaptions, 4) << "B, and shifted T, G and B";
    // What the design says of the shifted set beyond the digit row.
    const auto shifted = [&](std::string_view name) -> std::u16string_view {
        for (const auto& k : keyTable)
            if (name == k.name)
                return k.shifted;
        ADD_FAILURE() << "no key " << name;
        return {};
    };
    EXPECT_EQ(std::u16string(shifted("cmdd")) + std::u16string(shifted("cmdf")), u"[]");
    EXPECT_EQ(std::u16string(shifted("cmdc")) + std::u16string(shifted("cmdv")), u"{}");
    EXPECT_EQ(shifted("cmdj"), u"-") << "the minus key's own character";
    EXPECT_EQ(shifted("cmdk"), u"\u060C") << "Arabic comma";
    EXPECT_EQ(shifted("cmdm"), u"\u060C") << "the same as shifted K";
    // The unshifted set is what the picture keyboard's keys show, place for place.
    std::vector<std::u16string_view> legends;
    for (const auto& key : picture_page::keys())
        if (key.picture)
            legends.push_back(key.legend);
    ASSERT_EQ(legends.size(), keyTable.size());
    for (std::size_t n = 0; n < legends.size(); ++n)
        EXPECT_EQ(std::u16string_view(keyTable[n].normal), legends[n]) << keyTable[n].name;
    // Digits: Arabic-Indic unshifted, the US shifted symbols above them.
    const std::u16string_view digitRow =
        u"\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669\u0660";
    const std::u16string_view symbols = u"!@#$%^&*()";
    for (std::size_t d = 0; d < 10; ++d) {
        EXPECT_EQ(std::u16string_view(keyTable[d + 1].normal), digitRow.substr(d, 1));
        EXPECT_EQ(std::u16string_view(keyTable[d + 1].shifted), symbols.substr(d, 1));
    }
}

}  // namespace
}  // namespace harfpad
