#include "tray/trayicon.h"

#include <algorithm>

namespace harfpad::trayicon {

std::array<char, 64> tipField(const std::string& tip) {
    std::array<char, 64> field;
    field.fill(' ');
    const std::size_t length = std::min(tip.size(), field.size() - 1);
    std::copy_n(tip.begin(), length, field.begin());
    field[length] = '\0';
    return field;
}

bool Module::addTrayIcon(const std::uintptr_t& window, const std::uint32_t& identifier,
                         const std::uintptr_t& picture, const std::string& tip) {
    record_.cbSize = kNotifyIconV1Size;
    record_.hWnd = window;
    record_.uID = identifier;
    record_.uFlags = kNifMessage | kNifIcon | kNifTip;
    record_.uCallbackMessage = kWmMouseMove;
    record_.hIcon = picture;
    record_.szTip = tipField(tip);
    return shell_.shellNotifyIcon(kNimAdd, record_);
}

void Module::deleteTrayIcon(const std::uint32_t& identifier) {
    record_.uID = identifier;
    shell_.shellNotifyIcon(kNimDelete, record_);
}

}  // namespace harfpad::trayicon
