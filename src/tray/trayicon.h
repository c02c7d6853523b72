// The module `trayicon`: the one notification record the program hands to the shell, and the
// calls that fill it and pass it on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/TrayApi.h"

namespace harfpad::trayicon {

class Module {
  public:
    explicit Module(IShellNotify& shell) : shell_(shell) {}

    // Fills the whole record from the arguments and asks the shell to add the icon, then to
    // report on it in the version-4 layout (every add needs that anew). True when the shell
    // took the icon; a refused add leaves things as they were.
    bool addTrayIcon(const std::uintptr_t& window, const std::uint32_t& identifier,
                     const std::uintptr_t& picture, const std::string& tip);
    // Asks the shell to remove the icon with this identifier. Only uID changes; every other
    // field, the window in particular, stays as the last add left it.
    void deleteTrayIcon(const std::uint32_t& identifier);
    // Gives the keyboard focus back to the notification area, as after the icon's menu.
    void returnFocus();

    const NotifyIconRecord& record() const { return record_; }

  private:
    IShellNotify& shell_;
    NotifyIconRecord record_;
};

// The tip field: the text and one zero, then blanks up to the 64th character, zeros after. A
// text longer than 63 characters is cut so that the zero always fits.
std::array<char16_t, 128> tipField(const std::string& tip);

}  // namespace harfpad::trayicon
