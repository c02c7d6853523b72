// The shell's notification area and the hidden tray window, in memory.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/TrayApi.h"

namespace harfpad::fakes {

// Keeps icons by window and identifier the way the shell does: a second add of the same icon
// and the removal of an icon that is not there are refused.
class FakeShellNotify final : public IShellNotify {
  public:
    struct Call {
        std::uint32_t message;
        NotifyIconRecord record;
        bool accepted;
    };
    std::vector<Call> calls;
    std::set<std::pair<std::uintptr_t, std::uint32_t>> icons;
    bool taskbarRunning = true;  // false: no notification area yet, every add is refused

    bool shellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
        const auto key = std::pair{record.hWnd, record.uID};
        bool accepted = false;
        if (record.cbSize != 0 && record.hWnd != 0) {
            if (message == kNimAdd)
                accepted = taskbarRunning && icons.insert(key).second;
            else if (message == kNimDelete)
                accepted = icons.erase(key) == 1;
        }
        calls.push_back({message, record, accepted});
        return accepted;
    }
    int count(std::uint32_t message) const {
        int n = 0;
        for (const Call& c : calls) n += c.message == message;
        return n;
    }
};

class FakeTrayWindow final : public ITrayWindow {
  public:
    std::uintptr_t handleWhenCreated = 0x00C40162;
    std::uintptr_t iconWhenCreated = 0x0003051D;
    int creates = 0;  // calls of create() that made the window
    ITrayWindowEvents* events = nullptr;
    std::vector<std::vector<std::u16string>> menus;  // items of every popup shown
    int choice = -1;                                 // what the user picks in the next popup

    void setEvents(ITrayWindowEvents* e) override { events = e; }
    void create() override {
        if (!created_) {
            created_ = true;
            ++creates;
        }
    }
    std::uintptr_t handle() const override { return created_ ? handleWhenCreated : 0; }
    std::uintptr_t windowIcon() const override { return created_ ? iconWhenCreated : 0; }
    int popupMenu(std::span<const std::u16string_view> items) override {
        menus.emplace_back(items.begin(), items.end());
        return choice;
    }
    std::uintptr_t userWindow() const override { return 0; }
    bool inFront() const override { return created_; }
    bool created() const { return created_; }
    // The shell's notification for a mouse message over the icon, as the window delivers it.
    void notify(std::uint32_t mouseMessage, std::intptr_t highBits = 0) {
        events->Form_MouseMove(0, 0, static_cast<std::intptr_t>(mouseMessage) | highBits, 0);
    }

  private:
    bool created_ = false;
};

}  // namespace harfpad::fakes
