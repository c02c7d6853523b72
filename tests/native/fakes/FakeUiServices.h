// Records message boxes and the other process-wide calls; message boxes answer OK at once.
#pragma once

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
    int doEventsCalls = 0;
    std::vector<bool> cursorChanges;
    bool ended = false;
    std::function<void()> onMessageBox;  // runs while the box is "open"
    std::function<void()> onDoEvents;

    int messageBox(std::u16string_view text, std::u16string_view title, unsigned style) override {
        boxes.push_back({std::u16string(text), std::u16string(title), style});
        if (onMessageBox)
            onMessageBox();
        return 1;
    }
    void doEvents() override {
        ++doEventsCalls;
        if (onDoEvents)
            onDoEvents();
    }
    void setWaitCursor(bool wait) override { cursorChanges.push_back(wait); }
    void endProgram() override { ended = true; }
    void reloadLayoutHotkey() override { ++hotkeyReloads; }
    int hotkeyReloads = 0;
};

}  // namespace harfpad::fakes
