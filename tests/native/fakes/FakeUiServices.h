// Records message boxes and the other process-wide calls; message boxes answer OK at once. Its
// clock moves only while the program waits for messages.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/UiServices.h"

namespace harfpad::fakes {

class FakeUiServices final : public IUiServices {
  public:
    struct Box {
        std::u16string text;
        std::u16string title;
        unsigned style;
    };
    std::vector<Box> boxes;
    std::uint64_t now = 1'000'000;
    std::vector<unsigned> waits;  // the longest wait asked for each time
    std::vector<bool> cursorChanges;
    bool ended = false;
    std::function<void()> onMessageBox;  // runs while the box is "open"
    std::function<void()> onWait;        // runs as messages arrive during a wait

    int messageBox(std::u16string_view text, std::u16string_view title, unsigned style) override {
        boxes.push_back({std::u16string(text), std::u16string(title), style});
        if (onMessageBox)
            onMessageBox();
        return 1;
    }
    // learn.microsoft.com: GetTickCount64 — milliseconds on a clock that only goes forward.
    std::uint64_t tickCount() override { return now; }
    // learn.microsoft.com: MsgWaitForMultipleObjectsEx — returns when a message arrives or the
    // interval elapses; here no message comes by itself, so the whole interval passes.
    bool waitForMessages(unsigned ms) override {
        waits.push_back(ms);
        now += ms;
        if (onWait)
            onWait();
        return true;
    }
    void setWaitCursor(bool wait) override { cursorChanges.push_back(wait); }
    void endProgram() override { ended = true; }
    void reloadLayoutHotkey() override { ++hotkeyReloads; }
    int hotkeyReloads = 0;
};

}  // namespace harfpad::fakes
