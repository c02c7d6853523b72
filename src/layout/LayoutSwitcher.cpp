#include "layout/LayoutSwitcher.h"

#include <cstdlib>
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

bool LayoutSwitcher::arabicIsActive() {
    return getCurrentLanguage().find("401") != std::string::npos ||
           primaryLanguage(api_.activeLayout()) == kLangArabic;
}

void LayoutSwitcher::switchToArabic() {
    if (arabicIsActive())
        return;
    // The user's own Arabic layout, whatever its country or arrangement: loading "00000401"
    // beside it would add a second Arabic entry to the whole system's list.
    if (const LayoutHandle layout = installedArabic()) {
        api_.activateLayout(layout);
        return;
    }
    activateLoaded(api_.loadKeyboardLayout(kArabicLayoutName, kKlfActivate | kKlfSubstituteOk));
}

LayoutHandle LayoutSwitcher::installedArabic() {
    for (const LayoutHandle layout : api_.installedLayouts()) {
        if (primaryLanguage(layout) == kLangArabic)
            return layout;
    }
    return 0;
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

bool LayoutSwitcher::switchesThroughFocus(const UserWindow& user) {
    // Since Windows 8 a switch made while the program owns the focus becomes the user's layout,
    // which every window takes when it gets the focus back.
    return user.programInFront && api_.inputMode() == InputMode::kShared;
}

WindowHandle LayoutSwitcher::reachableFocus(const UserWindow& user) {
    if (user.window == 0)
        return 0;
    // Browsers, WinUI and console hosts keep the focus in a window of another thread.
    const WindowHandle focus = api_.focusWindowOf(user.window);
    // A message to an elevated window is dropped without a word: claim nothing there.
    return focus != 0 && api_.canReach(focus) ? focus : 0;
}

bool LayoutSwitcher::request(WindowHandle focus, LayoutHandle layout) {
    return layout != 0 && api_.requestLayout(focus, layout);
}

bool LayoutSwitcher::switchToArabic(const UserWindow& user) {
    if (switchesThroughFocus(user)) {
        switchToArabic();
        return true;
    }
    const WindowHandle focus = reachableFocus(user);
    if (focus == 0)
        return false;
    if (primaryLanguage(api_.layoutOf(focus)) == kLangArabic)
        return true;
    LayoutHandle layout = installedArabic();
    if (layout == 0)
        layout = api_.loadKeyboardLayout(kArabicLayoutName, kKlfSubstituteOk);
    return request(focus, layout);
}

LayoutHandle LayoutSwitcher::installedDefault(const std::string& preload) {
    // As "Switch to Default" finds it: through the user's substitute, without activating it here.
    if (const LayoutHandle layout = api_.loadKeyboardLayout(preload, kKlfSubstituteOk))
        return layout;
    // Windows ignores the load while the program does not own the focus: the first installed
    // layout of the entry's language is the one Windows started for it.
    const unsigned language = static_cast<unsigned>(std::strtoul(
        preload.substr(preload.size() > 4 ? preload.size() - 4 : 0).c_str(), nullptr, 16));
    for (const LayoutHandle layout : api_.installedLayouts()) {
        if ((layout & 0xFFFF) == language)
            return layout;
    }
    return 0;
}

bool LayoutSwitcher::switchToEnglish(const UserWindow& user) {
    if (switchesThroughFocus(user)) {
        switchToEnglish();
        return true;
    }
    const WindowHandle focus = reachableFocus(user);
    const std::string preload = preloadedLayout();
    if (focus == 0 || preload.empty())
        return false;
    const LayoutHandle layout = installedDefault(preload);
    if (layout != 0 && api_.layoutOf(focus) == layout)
        return true;
    return request(focus, layout);
}

}  // namespace harfpad
