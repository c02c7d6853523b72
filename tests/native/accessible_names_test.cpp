// What a screen reader reads for each control: the keys' names, given through the annotation
// service, and the edit boxes' names, which Windows takes from the label before each box.
// Wine's SetHwndPropStr is a stub and its oleacc reads no names, so only fakes can show these.
#include <gtest/gtest.h>

#include <set>

#include "fakes/FakeEditProxy.h"
#include "fakes/FakeForm1Platform.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"
#include "platform/PageOrder.h"

namespace harfpad {
namespace {

namespace pp = picture_page;
namespace up = unicode_page;

class AccessibleNamesTest : public ::testing::Test, protected fakes::FakeForm1Platform {
  protected:
    void SetUp() override { form.show(); }
    Form1 form{platform()};
};

// Expected names: the Unicode name of what the key types (a lone combining mark by its name,
// as in "ARABIC FATHA") or the character itself, then the key of a US keyboard in its place.
TEST_F(AccessibleNamesTest, EveryKeySaysWhatItTypesAndWhichKeyItIs) {
    struct Row {
        ControlId key;
        bool shifted;
        std::u16string name;
    } rows[] = {
        {pp::keyId(15), false, u"\u0636, Q key"},  // ARABIC LETTER DAD
        {pp::keyId(1), false, u"1, 1 key"},        // DIGIT ONE, though the legend is ١
        {pp::keyId(47), false, u"\u0644\u0627, B key"},
        {pp::keyId(41), false, u"Left Shift"},
        {pp::keyId(53), false, u"Right Shift"},
        {pp::keyId(42), false, u"Left Ctrl"},
        {pp::keyId(57), false, u"Right Ctrl"},
        {pp::keyId(55), false, u"Left Alt"},
        {pp::keyId(56), false, u"Right Alt"},
        {pp::keyId(28), false, u"Caps Lock"},
        {up::characterKeyId(13), false, u"\u0636, Q key"},
        {up::characterKeyId(13), true, u"fatha, Q key"},             // U+064E ARABIC FATHA
        {up::characterKeyId(14), true, u"fathatan, W key"},          // U+064B ARABIC FATHATAN
        {up::characterKeyId(15), true, u"damma, E key"},             // U+064F ARABIC DAMMA
        {up::characterKeyId(26), true, u"kasra, A key"},             // U+0650 ARABIC KASRA
        {up::characterKeyId(27), true, u"kasratan, S key"},          // U+064D ARABIC KASRATAN
        {up::characterKeyId(0), true, u"shadda, grave accent key"},  // U+0651 ARABIC SHADDA
        {up::characterKeyId(38), true, u"sukun, X key"},             // U+0652 ARABIC SUKUN
        {up::characterKeyId(17), true, u"\u0644\u0625, T key"},
        {up::kCmd53, false, u"Left Shift"},
        {up::kCmd42, true, u"Right Shift"},
        {up::kCmdctrl, false, u"Right Ctrl"},
    };
    for (const Row& row : rows) {
        if (form.shiftOn() != row.shifted)
            window.userClick(up::kCmd53);
        EXPECT_EQ(names.names[row.key], row.name) << row.key;
    }
    // Both keyboards, and the Unicode one in both states: every key has a name of its own.
    for (const bool shifted : {false, true}) {
        if (form.shiftOn() != shifted)
            window.userClick(up::kCmd53);
        std::set<std::u16string> picture, unicode;
        for (int i = 0; i < pp::kKeyCount; ++i) picture.insert(names.names[pp::keyId(i)]);
        for (ControlId id = up::kCmd13; id <= up::kCmdctrl; ++id) unicode.insert(names.names[id]);
        for (int n = 0; n < up::kCharacterKeyCount; ++n)
            unicode.insert(names.names[up::characterKeyId(n)]);
        EXPECT_EQ(picture.size(), std::size_t{pp::kKeyCount});
        EXPECT_EQ(unicode.size(), std::size_t{up::kCharacterKeyCount + 11}) << shifted;
        EXPECT_EQ(picture.count(u""), 0u);
    }
}

// Every edit box of every page has a name: the label right before it in the z-order, or one
// given through the annotation service.
TEST_F(AccessibleNamesTest, EveryEditBoxIsNamed) {
    std::vector<std::u16string> named;
    for (const PageSpec& page : form1Spec().pages) {
        const std::vector<std::size_t> order = frontToBack(page.controls);
        for (std::size_t i = 0; i < page.controls.size(); ++i) {
            const ControlSpec& c = page.controls[i];
            if (c.kind != ControlKind::TextBox && c.kind != ControlKind::MultiLineText &&
                c.kind != ControlKind::ReadOnlyText)
                continue;
            const std::u16string label = fakes::editProxyName(page.controls, order, i);
            const std::u16string annotated = names.names[c.id];
            EXPECT_FALSE(label.empty() && annotated.empty()) << "control " << c.id;
            named.push_back(annotated.empty() ? label : annotated);
        }
    }
    const std::vector<std::u16string> expected{
        u"Picture keyboard text", u"Name", u"Email", u"Feedback", u"Server reply",
        u"Unicode keyboard text"};
    EXPECT_EQ(named, expected);
}

}  // namespace
}  // namespace harfpad
