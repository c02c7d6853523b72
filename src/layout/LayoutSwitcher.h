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
    // The first preloaded layout of the current user, or "" when there is none.
    std::string preloadedLayout() const;

    // The name buffer: index 0 is never used, the platform writes from index 1.
    std::array<char, 501>& nameBuffer() { return nameBuffer_; }

  private:
    bool arabicIsActive();
    void activateLoaded(LayoutHandle loaded);

    IKeyboardLayoutApi& api_;
    const EllReg& registry_;
    std::array<char, 501> nameBuffer_{};
};

}  // namespace harfpad
