#include "layout/LayoutSwitcher.h"

#include <span>

namespace harfpad {

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

void LayoutSwitcher::switchToArabic() {
    if (getCurrentLanguage().find("401") != std::string::npos)
        return;
    api_.loadKeyboardLayout(kArabicLayoutName, kKlfActivate);
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
    api_.loadKeyboardLayout(preload, kKlfActivate);
}

}  // namespace harfpad
