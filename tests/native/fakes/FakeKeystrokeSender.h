// The keystroke path of the fake system: keys are looked up on whichever layout the fake layout
// switcher has made active, and every send is recorded with that layout.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fakes/FakeKeyboardLayout.h"
#include "fakes/KeyboardLayouts.h"
#include "platform/KeystrokeApi.h"

namespace harfpad::fakes {

class FakeKeystrokeSender final : public IKeystrokeSender {
  public:
    explicit FakeKeystrokeSender(const FakeKeyboardLayout& layouts) : layouts_(layouts) {}

    struct Send {
        std::vector<Keystroke> keys;
        bool wait;
        std::string layout;  // active when they were sent
    };
    std::vector<Send> sends;
    int beeps = 0;
    std::function<void()> onSend;  // runs as the keys go out

    std::int16_t vkKeyScan(char16_t ch) override { return layouts::vkKeyScan(layouts_.active.name, ch); }
    void send(std::span<const Keystroke> keys, bool wait) override {
        if (onSend)
            onSend();
        sends.push_back({{keys.begin(), keys.end()}, wait, layouts_.active.name});
    }
    void beep() override { ++beeps; }

    // What all the sends typed into an empty box.
    std::u16string typed() const {
        std::u16string text;
        for (const Send& s : sends) text += layouts::typed(s.layout, s.keys);
        return text;
    }

  private:
    const FakeKeyboardLayout& layouts_;
};

}  // namespace harfpad::fakes
