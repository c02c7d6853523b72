#include "keyboard/PictureKeyboard.h"

#include "keyboard/HeldModifiers.h"
#include "keyboard/KeyNames.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/SendKeysPlan.h"
#include "keyboard/clsKeys.h"

namespace harfpad {

namespace pp = picture_page;

namespace {
constexpr ClickRow<PictureKeyboard> kClicks[] = {
    {pp::keyId(0), pp::keyId(pp::kKeyCount - 1),
     [](PictureKeyboard& k, ControlId key) { k.Keyboard_Array_Click(pp::keyIndex(key)); }},
};
}  // namespace

std::span<const ClickRow<PictureKeyboard>> PictureKeyboard::clicks() {
    return kClicks;
}

void PictureKeyboard::load() {
    using key_names::SpecialKey;
    static constexpr std::pair<int, SpecialKey> kSpecial[] = {
        {13, SpecialKey::Backspace},  {14, SpecialKey::Tab},       {28, SpecialKey::CapsLock},
        {40, SpecialKey::Enter},      {41, SpecialKey::LeftShift}, {42, SpecialKey::LeftCtrl},
        {53, SpecialKey::RightShift}, {54, SpecialKey::Space},     {55, SpecialKey::LeftAlt},
        {56, SpecialKey::RightAlt},   {57, SpecialKey::RightCtrl},
    };
    names_.setName(pp::kText4, u"Picture keyboard text");
    for (const auto& [index, special] : kSpecial)
        names_.setName(pp::keyId(index), key_names::specialKeyName(special));
    // The character keys stand in index order, row by row, as the names count them.
    int characterKey = 0;
    for (int index = 0; index < pp::kKeyCount; ++index) {
        const pp::PictureKey& key = pp::keys()[static_cast<std::size_t>(index)];
        if (key.picture)
            names_.setName(pp::keyId(index),
                           key_names::characterKeyName(key.action.text, characterKey++));
    }
}

void PictureKeyboard::Keyboard_Array_Click(int index) {
    if (index < 0 || index >= pp::kKeyCount)
        return;
    // The layout comes first, so that every keystroke of this click meets the Arabic layout.
    switchToArabic_();
    view_.setFocus(pp::kText4);
    const pp::KeyAction& action = pp::keys()[static_cast<std::size_t>(index)].action;
    switch (action.kind) {
        case pp::KeyAction::SendText:
            SendKeys(keystrokes_, action.text, true);
            break;
        case pp::KeyAction::TapKey: {
            // Backspace under a held Ctrl or Alt would delete a word or undo instead.
            const ModifierKeys held = keystrokes_.heldModifiers();
            keystrokes_.send(liftHeldModifiers(held), false);
            clsKeys keys(keyInput_, codePage_);
            keys.PressKeyVK(action.virtualKey, false, false, false);
            keystrokes_.send(restoreHeldModifiers(held), false);
            break;
        }
        case pp::KeyAction::None:
            break;
    }
}

}  // namespace harfpad
