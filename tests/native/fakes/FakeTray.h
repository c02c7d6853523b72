// The shell's notification area and the hidden tray window, in memory.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/TrayApi.h"

namespace harfpad::fakes {

// Keeps icons by window and identifier the way the shell does: a second add of the same icon
// and the removal of an icon that is not there are refused. Values are the documented ones.
class FakeShellNotify final : public IShellNotify {
  public:
    struct Call {
        std::uint32_t message;
        NotifyIconRecord record;
        bool accepted;
    };
    using Icon = std::pair<std::uintptr_t, std::uint32_t>;
    std::vector<Call> calls;
    std::map<Icon, std::uint32_t> icons;  // each icon with the version it asked for
    bool taskbarRunning = true;           // false: no notification area yet, every add is refused

    bool shellNotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
        const Icon key{record.hWnd, record.uID};
        bool accepted = false;
        if (record.hWnd != 0) {
            // learn.microsoft.com, Shell_NotifyIconW: NIM_ADD 0, NIM_DELETE 2, NIM_SETFOCUS 3,
            // NIM_SETVERSION 4 (for the icon named; needed again after every NIM_ADD).
            if (message == 0)
                accepted = taskbarRunning && icons.emplace(key, 0).second;
            else if (message == 2)
                accepted = icons.erase(key) == 1;
            else if (message == 3 || message == 4)
                accepted = icons.count(key) == 1;
            if (message == 4 && accepted)
                icons[key] = record.uVersion;
        }
        calls.push_back({message, record, accepted});
        return accepted;
    }
    int count(std::uint32_t message) const {
        int n = 0;
        for (const Call& c : calls) n += c.message == message;
        return n;
    }

    // What the user does to an icon, and the callbacks the shell sends for it.
    enum class Act { DoubleClick, RightClick, MouseSelectEnter, KeySelect, MenuKey };
    struct Callback {
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Callback> callbacksFor(Act act, const Icon& icon, ScreenPoint at) const {
        // An icon the shell does not show reports nothing in particular: the first layout.
        const auto shown = icons.find(icon);
        const std::uint32_t version = shown == icons.end() ? 0 : shown->second;
        const std::vector<std::uint32_t> rightClick{0x204, 0x205};
        // learn.microsoft.com, Shell_NotifyIconW remarks: from version 3 on, Enter on an icon
        // selected with the mouse sends NIN_SELECT (WM_USER + 0), Space or Enter on one selected
        // with the keyboard NIN_KEYSELECT (NIN_SELECT | NINF_KEY, 1), the menu key WM_CONTEXTMENU
        // (0x007B); earlier versions send a right-click for each. NOTIFYICONDATAW (uVersion):
        // version 4 follows a right-click with WM_CONTEXTMENU.
        std::vector<std::uint32_t> events;
        if (act == Act::DoubleClick)
            events = {0x201, 0x202, 0x203, 0x202};
        else if (act == Act::RightClick)
            events = version >= 4 ? std::vector<std::uint32_t>{0x204, 0x205, 0x7B} : rightClick;
        else if (version < 3)
            events = rightClick;
        else
            events = {act == Act::MouseSelectEnter ? 0x400u
                      : act == Act::KeySelect      ? 0x401u
                                                   : 0x7Bu};
        // NOTIFYICONDATAW (uVersion): with NOTIFYICON_VERSION_4 (4) the event is LOWORD(lParam),
        // the identifier HIWORD(lParam), the anchor's x and y are in wParam; before it wParam is
        // the identifier and lParam the event.
        const auto anchor =
            static_cast<std::uintptr_t>(static_cast<std::uint16_t>(at.x) |
                                        std::uint32_t{static_cast<std::uint16_t>(at.y)} << 16);
        std::vector<Callback> callbacks;
        for (std::uint32_t event : events) {
            if (version >= 4)
                callbacks.push_back(
                    {anchor, static_cast<std::intptr_t>(event | icon.second << 16)});
            else
                callbacks.push_back({icon.second, static_cast<std::intptr_t>(event)});
        }
        return callbacks;
    }
};

class FakeTrayWindow final : public ITrayWindow {
  public:
    std::uintptr_t handleWhenCreated = 0x00C40162;
    std::uintptr_t iconWhenCreated = 0x0003051D;
    int creates = 0;  // calls of create() that made the window
    ITrayWindowEvents* events = nullptr;
    std::vector<std::vector<std::u16string>> menus;  // items of every popup shown
    std::vector<ScreenPoint> menuPlaces;
    int choice = -1;  // what the user picks in the next popup

    void setEvents(ITrayWindowEvents* e) override { events = e; }
    void create() override {
        if (!created_) {
            created_ = true;
            ++creates;
        }
    }
    std::uintptr_t handle() const override { return created_ ? handleWhenCreated : 0; }
    std::uintptr_t windowIcon() const override { return created_ ? iconWhenCreated : 0; }
    int popupMenu(std::span<const std::u16string_view> items, ScreenPoint at) override {
        menus.emplace_back(items.begin(), items.end());
        menuPlaces.push_back(at);
        return choice;
    }
    std::uintptr_t userWindow() const override { return 0; }
    bool inFront() const override { return created_; }
    bool created() const { return created_; }
    // What the shell sends the window when the user acts on its icon.
    void userActs(const FakeShellNotify& shell, FakeShellNotify::Act act, ScreenPoint at = {}) {
        for (const auto& callback : shell.callbacksFor(
                 act, {handleWhenCreated, static_cast<std::uint32_t>(iconWhenCreated)}, at))
            events->Form_MouseMove(callback.wParam, callback.lParam);
    }

  private:
    bool created_ = false;
};

}  // namespace harfpad::fakes
