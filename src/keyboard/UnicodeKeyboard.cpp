#include "keyboard/UnicodeKeyboard.h"

#include "keyboard/KeyNames.h"
#include "keyboard/UnicodeKeyboardPage.h"
#include "keyboard/clsKeys.h"

namespace harfpad {

namespace up = unicode_page;

namespace {
constexpr int kVkEnd = 35;
// The special keys' ids run in the order of their names.
static_assert(up::kCmdctrl - up::kCmd13 == static_cast<int>(key_names::SpecialKey::RightCtrl));
static_assert(up::kCharacterKeyCount == key_names::kCharacterKeyCount);
}  // namespace

void UnicodeKeyboard::load() {
    setNormalCaptions();
    shiftOn_ = false;
    showShift();
    names_.setName(up::kTxtarabic, u"Unicode keyboard text");
    for (ControlId id = up::kCmd13; id <= up::kCmdctrl; ++id)
        names_.setName(id, key_names::specialKeyName(key_names::SpecialKey{id - up::kCmd13}));
}

void UnicodeKeyboard::showShift() {
    for (ControlId key : {up::kCmd53, up::kCmd42, up::kCmd40})
        view_.setValue(key, shiftOn_ ? 1 : 0);
}

void UnicodeKeyboard::writeCaptions(bool shifted) {
    const auto keys = up::characterKeys();
    for (int n = 0; n < up::kCharacterKeyCount; ++n) {
        const char16_t* caption = shifted ? keys[n].shifted : keys[n].normal;
        view_.setText(up::characterKeyId(n), caption);
        // A key is named after what it types now: Shift renames it.
        names_.setName(up::characterKeyId(n), key_names::characterKeyName(caption, n));
    }
}

void UnicodeKeyboard::setNormalCaptions() {
    writeCaptions(false);
}

void UnicodeKeyboard::setShiftCaptions() {
    shiftOn_ = true;
    writeCaptions(true);
}

void UnicodeKeyboard::cmd53_Click() {
    if (shiftOn_) {
        setNormalCaptions();
        shiftOn_ = false;
    } else {
        setShiftCaptions();
    }
    showShift();
}

void UnicodeKeyboard::characterKey_Click(ControlId key) {
    // The key types what it shows right now.
    append(view_.text(key));
}

void UnicodeKeyboard::cmd13_Click() {
    std::u16string text = view_.text(up::kTxtarabic);
    if (text.empty())
        return;
    text.pop_back();  // one UTF-16 unit: after Enter the LF goes first, then the CR
    view_.setText(up::kTxtarabic, text);
    focusTextAndTapEnd();
}

void UnicodeKeyboard::append(std::u16string_view text) {
    std::u16string whole = view_.text(up::kTxtarabic);
    whole += text;
    view_.setText(up::kTxtarabic, whole);
    focusTextAndTapEnd();
}

void UnicodeKeyboard::focusTextAndTapEnd() {
    view_.setFocus(up::kTxtarabic);
    // The new text put the caret at its start, and End alone reaches only the end of the first
    // line.
    view_.caretToEnd(up::kTxtarabic);
    clsKeys keys(keyInput_, codePage_);
    keys.PressKeyVK(kVkEnd);
}

namespace {
using U = UnicodeKeyboard;
// The page's handlers; the Ctrl and ALT keys have none.
constexpr ClickRow<U> kClicks[] = {
    {up::characterKeyId(0), up::characterKeyId(up::kCharacterKeyCount - 1),
     [](U& k, ControlId key) { k.characterKey_Click(key); }},
    {up::kCmd13, up::kCmd13, [](U& k, ControlId) { k.cmd13_Click(); }},
    {up::kCmd15, up::kCmd15, [](U& k, ControlId) { k.cmd15_Click(); }},
    {up::kCmd40, up::kCmd40, [](U& k, ControlId) { k.cmd40_Click(); }},
    {up::kCmd28, up::kCmd28, [](U& k, ControlId) { k.cmd28_Click(); }},
    {up::kCmd53, up::kCmd53, [](U& k, ControlId) { k.cmd53_Click(); }},
    {up::kCmd42, up::kCmd42, [](U& k, ControlId) { k.cmd42_Click(); }},
    {up::kCmdspaceb, up::kCmdspaceb, [](U& k, ControlId) { k.cmdspaceb_Click(); }},
};
}  // namespace

std::span<const ClickRow<UnicodeKeyboard>> UnicodeKeyboard::clicks() {
    return kClicks;
}

}  // namespace harfpad
