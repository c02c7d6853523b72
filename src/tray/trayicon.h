// The module `trayicon`: the one notification record the program hands to the shell, and the
// two calls that fill it and pass it on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/TrayApi.h"

namespace harfpad::trayicon {

class Module {
  public:
    explicit Module(IShellNotify& shell) : shell_(shell) {}

    // Fills the whole record from the arguments and asks the shell to add the icon. True when
    // the shell took it; a refused add leaves things as they were.
    bool addTrayIcon(const std::uintptr_t& window, const std::uint32_t& identifier,
                     const std::uintptr_t& picture, const std::string& tip);
    // Asks the shell to remove the icon with this identifier. Only uID changes; every other
    // field, the window in particular, stays as the last add left it.
    void deleteTrayIcon(const std::uint32_t& identifier);

    const NotifyIconRecord& record() const { return record_; }

  private:
    IShellNotify& shell_;
    NotifyIconRecord record_;
};

// The tip field: the text and one zero byte, then blanks to the end of the 64 bytes. A text
// longer than 63 bytes is cut so that the zero byte always fits.
std::array<char, 64> tipField(const std::string& tip);

}  // namespace harfpad::trayicon
