#include "keyboard/UnicodeKeyboard.h"

#include "keyboard/UnicodeKeyboardPage.h"
#include "keyboard/clsKeys.h"

namespace harfpad {

namespace up = unicode_page;

namespace {
constexpr int kVkEnd = 35;
}

void UnicodeKeyboard::load() {
    setNormalCaptions();
    shiftOn_ = false;
}

void UnicodeKeyboard::writeCaptions(bool shifted) {
    const auto keys = up::characterKeys();
    for (int n = 0; n < up::kCharacterKeyCount; ++n)
        view_.setText(up::characterKeyId(n), shifted ? keys[n].shifted : keys[n].normal);
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
    clsKeys keys(keyInput_, codePage_);
    keys.PressKeyVK(kVkEnd);
}

bool UnicodeKeyboard::onClick(ControlId id) {
    if (up::characterKeyNumber(id) >= 0) {
        characterKey_Click(id);
        return true;
    }
    switch (id) {
        case up::kCmd13:
            cmd13_Click();
            return true;
        case up::kCmd15:
            cmd15_Click();
            return true;
        case up::kCmd40:
            cmd40_Click();
            return true;
        case up::kCmd28:
            cmd28_Click();
            return true;
        case up::kCmd53:
            cmd53_Click();
            return true;
        case up::kCmd42:
            cmd42_Click();
            return true;
        case up::kCmdspaceb:
            cmdspaceb_Click();
            return true;
        default:
            return false;  // Ctrl and ALT have no handler
    }
}

}  // namespace harfpad
