// Key input that records what would reach the system: keybd_event calls, pauses and yields.
// Answers MapVirtualKeyA like the US layout for the few keys the on-screen keyboards tap.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/KeyInputApi.h"

namespace harfpad::fakes {

struct KeyEvent {
    std::uint8_t vk;
    std::uint8_t scan;
    std::uint32_t flags;
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

class KeyEventLog final : public IKeyInputApi, public IAnsiCodePage {
  public:
    std::vector<KeyEvent> events;

    std::int16_t vkKeyScan(char) override { return -1; }
    std::uint32_t mapVirtualKey(std::uint32_t code, std::uint32_t mode) override {
        struct Key {
            std::uint32_t vk, scan, ch;
        };
        static constexpr Key kKeys[] = {{8, 0x0E, 8}, {13, 0x1C, 13}, {20, 0x3A, 0}, {35, 0x4F, 0}};
        for (const Key& key : kKeys)
            if (key.vk == (code & 0xFF))
                return mode == 0 ? key.scan : mode == 2 ? key.ch : 0;
        return 0;
    }
    void keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override {
        events.push_back({vk, scan, flags});
    }
    std::int16_t getKeyState(int) override { return 0; }
    void sleep(std::uint32_t) override {}
    void doEvents() override {}
    std::uint32_t toAnsi(char16_t ch) override { return ch < 256 ? ch : '?'; }

    // The events of one tap of `vk` as an extended key (End, Caps Lock).
    static std::vector<KeyEvent> extendedTap(std::uint8_t vk, std::uint8_t scan) {
        return {{vk, scan, 1}, {vk, scan, 3}};
    }
};

}  // namespace harfpad::fakes
