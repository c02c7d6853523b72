// Makes the Arabic layout or the user's default layout the active input layout.
#pragma once

#include <array>
#include <string>

#include "platform/KeyboardLayoutApi.h"
#include "settings/EllReg.h"

namespace harfpad {

inline constexpr const char* kArabicLayoutName = "00000401";
// LANG_ARABIC: the primary language of every Arabic layout, whatever its country.
inline constexpr unsigned kLangArabic = 0x01;

class LayoutSwitcher {
  public:
    LayoutSwitcher(IKeyboardLayoutApi& api, const EllReg& registry)
        : api_(api), registry_(registry) {}

    // The active layout's name, or "" when the platform cannot tell. Refills the name buffer.
    std::string getCurrentLanguage();
    // The text in the name buffer from index 1 up to its first zero byte (at most 500 bytes).
    std::string decodeString() const;
    // Unless Arabic is active already (the active name contains "401", or the active layout's
    // language is Arabic): activates the user's first installed Arabic layout, or, when none is
    // installed, loads and activates "00000401".
    void switchToArabic();
    // Loads (through the user's substitute) and activates the first preloaded layout unless the
    // active name already contains its last three characters. Nothing is loaded when no
    // preloaded layout can be read.
    void switchToEnglish();
    // From the tray menu, for the window the user types in. When the program's own window holds
    // the foreground in shared mode, the switch above reaches it through the focus. Otherwise
    // (the per-thread mode, or Windows refused the menu the foreground) the window's focus window
    // is asked to take the installed layout, unless its thread has it already. False when no
    // switch can be claimed: the window is unknown, gone or out of reach, or no layout is found.
    bool switchToArabic(const UserWindow& user);
    bool switchToEnglish(const UserWindow& user);
    // The first preloaded layout of the current user, or "" when there is none.
    std::string preloadedLayout() const;

    // The name buffer: index 0 is never used, the platform writes from index 1.
    std::array<char, 501>& nameBuffer() { return nameBuffer_; }

  private:
    bool arabicIsActive();
    void activateLoaded(LayoutHandle loaded);
    LayoutHandle installedArabic();
    LayoutHandle installedDefault(const std::string& preload);
    bool switchesThroughFocus(const UserWindow& user);
    WindowHandle reachableFocus(const UserWindow& user);
    bool request(WindowHandle focus, LayoutHandle layout);

    IKeyboardLayoutApi& api_;
    const EllReg& registry_;
    std::array<char, 501> nameBuffer_{};
};

}  // namespace harfpad
