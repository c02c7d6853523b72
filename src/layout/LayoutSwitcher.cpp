#include "layout/LayoutSwitcher.h"

#include <span>

namespace harfpad {

namespace {
// The primary language identifier of Arabic, whatever the country (winnt.h, LANG_ARABIC).
constexpr unsigned kLangArabic = 0x01;
}  // namespace

std::string LayoutSwitcher::getCurrentLanguage() {
    const std::span<char> fromIndexOne(nameBuffer_.data() + 1, nameBuffer_.size() - 1);
    if (!api_.getKeyboardLayoutName(fromIndexOne))
        return "";
    return decodeString();
}

std::string LayoutSwitcher::decodeString() const {
    std::string text;
    for (std::size_t i = 1; i < nameBuffer_.size() && nameBuffer_[i] != '\0'; ++i) {
        text += nameBuffer_[i];
    }
    return text;
}

bool LayoutSwitcher::arabicIsActive() {
    return getCurrentLanguage().find("401") != std::string::npos ||
           primaryLanguage(api_.activeLayout()) == kLangArabic;
}

void LayoutSwitcher::switchToArabic() {
    if (arabicIsActive())
        return;
    // The user's own Arabic layout, whatever its country or arrangement: loading "00000401"
    // beside it would add a second Arabic entry to the whole system's list.
    for (const LayoutHandle layout : api_.installedLayouts()) {
        if (primaryLanguage(layout) == kLangArabic) {
            api_.activateLayout(layout);
            return;
        }
    }
    activateLoaded(api_.loadKeyboardLayout(kArabicLayoutName, kKlfActivate | kKlfSubstituteOk));
}

void LayoutSwitcher::activateLoaded(LayoutHandle loaded) {
    // A layout that was loaded already is handed back as it is, not necessarily made active.
    if (loaded != 0 && loaded != api_.activeLayout())
        api_.activateLayout(loaded);
}

std::string LayoutSwitcher::preloadedLayout() const {
    // Older systems keep the first layout as the unnamed value of the subkey "1"; current
    // Windows keeps it as the value named "1" of the preload key itself.
    std::string name = registry_.readRegValue(kHkeyCurrentUser, "keyboard layout\\preload\\1", "");
    if (name == kRegNotFound) {
        name = registry_.readRegValue(kHkeyCurrentUser, "keyboard layout\\preload", "1");
    }
    return name == kRegNotFound ? std::string() : name;
}

void LayoutSwitcher::switchToEnglish() {
    const std::string preload = preloadedLayout();
    const std::string current = getCurrentLanguage();
    // An empty preload text is found in any name, so it never causes a switch.
    const std::string tail = preload.size() > 3 ? preload.substr(preload.size() - 3) : preload;
    if (current.find(tail) != std::string::npos)
        return;
    // As Windows starts the preload list: through the user's substitute, which gives the
    // layout already installed for that entry.
    activateLoaded(api_.loadKeyboardLayout(preload, kKlfActivate | kKlfSubstituteOk));
}

}  // namespace harfpad
