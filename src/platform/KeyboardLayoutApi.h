// The user32 calls the layout switcher makes: the active layout, the installed ones, loading and
// activating.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace harfpad {

// An input locale identifier (HKL): the language in the low word, the layout in the high word.
using LayoutHandle = std::uintptr_t;

constexpr unsigned kKlfActivate = 0x1;
// Honour the user's substitute for the layout, as Windows does when it starts the preload list.
constexpr unsigned kKlfSubstituteOk = 0x2;

// The primary language of a layout handle (PRIMARYLANGID of its low word).
constexpr unsigned primaryLanguage(LayoutHandle layout) {
    return static_cast<unsigned>(layout & 0x3FF);
}

class IKeyboardLayoutApi {
  public:
    virtual ~IKeyboardLayoutApi() = default;
    // Writes the active layout's name into `buffer` as a zero-terminated ANSI string.
    // False when the platform cannot tell.
    virtual bool getKeyboardLayoutName(std::span<char> buffer) = 0;
    // Loads the named layout with the given flags; 0 when the platform refuses it.
    virtual LayoutHandle loadKeyboardLayout(const std::string& name, unsigned flags) = 0;
    // The layout active on this thread (GetKeyboardLayout).
    virtual LayoutHandle activeLayout() = 0;
    // The user's installed layouts, in the system's order (GetKeyboardLayoutList).
    virtual std::vector<LayoutHandle> installedLayouts() = 0;
    // Makes an installed layout the active one for this program (ActivateKeyboardLayout).
    virtual void activateLayout(LayoutHandle layout) = 0;
};

}  // namespace harfpad
