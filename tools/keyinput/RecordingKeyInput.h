// A recording stand-in for the keystroke calls: answers like Windows on the US English layout
// with code page 1252, keeps the key states that keybd_event changes (lock keys start off) and
// records every event, pause and message-loop yield in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "platform/KeyInputApi.h"

namespace harfpad::fakes {

struct KeyEvent {
    enum class Kind { key, sleep, yield };
    Kind kind = Kind::key;
    std::uint32_t vk = 0;  // key: virtual key; sleep: milliseconds
    std::uint32_t scan = 0;
    std::uint32_t flags = 0;

    static KeyEvent key(std::uint32_t vk, std::uint32_t scan, std::uint32_t flags) {
        return {Kind::key, vk, scan, flags};
    }
    static KeyEvent pause(std::uint32_t ms) { return {Kind::sleep, ms, 0, 0}; }
    static KeyEvent yield() { return {Kind::yield, 0, 0, 0}; }
    bool operator==(const KeyEvent&) const = default;
};

// One line per event: "key VK SCAN FLAGS", "sleep MS" or "yield".
std::string describe(const KeyEvent& event);
std::string describe(const std::vector<KeyEvent>& events);

// Thrown by the fake, and by nothing else, once `eventLimit` events have been recorded or
// `callLimit` calls made (a repeated key that sends nothing still asks the layout each time).
struct EventLimitReached {};

class RecordingKeyInput final : public IKeyInputApi, public IAnsiCodePage {
  public:
    std::vector<KeyEvent> events;
    // Virtual-key state as GetKeyState reports it: 0x8000 while down, bit 0 toggled.
    std::uint16_t keyState[256] = {};
    // Characters that take more than one byte in the code page being modelled.
    std::map<char16_t, std::uint32_t> multiByte;
    // VkKeyScanA answers of another layout that replace the US ones, by ANSI character.
    std::map<unsigned char, std::int16_t> otherLayout;
    std::size_t eventLimit = std::numeric_limits<std::size_t>::max();
    std::size_t callLimit = std::numeric_limits<std::size_t>::max();
    std::size_t callCount = 0;
    bool record = true;  // false: keep only the count, for long plays
    std::size_t eventCount = 0;
    std::function<void()> onDoEvents;
    // Sees every event as it happens, recorded or not.
    std::function<void(const KeyEvent&)> onEvent;

    std::int16_t vkKeyScan(char ansiChar) override;
    std::uint32_t mapVirtualKey(std::uint32_t code, std::uint32_t mode) override;
    void keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
    std::int16_t getKeyState(int vk) override;
    void sleep(std::uint32_t milliseconds) override;
    void doEvents() override;
    std::uint32_t toAnsi(char16_t ch) override;

    // Only the key events, without pauses and yields.
    std::vector<KeyEvent> keys() const;

  private:
    void add(const KeyEvent& event);
    void called();
};

}  // namespace harfpad::fakes
