// The two user32 calls the layout switcher makes.
#pragma once

#include <span>
#include <string>

namespace harfpad {

constexpr unsigned kKlfActivate = 1;

class IKeyboardLayoutApi {
  public:
    virtual ~IKeyboardLayoutApi() = default;
    // Writes the active layout's name into `buffer` as a zero-terminated ANSI string.
    // False when the platform cannot tell.
    virtual bool getKeyboardLayoutName(std::span<char> buffer) = 0;
    // Loads the named layout with the given flags; the outcome is not reported.
    virtual void loadKeyboardLayout(const std::string& name, unsigned flags) = 0;
};

}  // namespace harfpad
