#include "keyinput/RecordingKeyInput.h"

#include "keyinput/UsKeyboardModel.h"

namespace harfpad::fakes {

std::string describe(const KeyEvent& event) {
    switch (event.kind) {
        case KeyEvent::Kind::key:
            return "key " + std::to_string(event.vk) + " " + std::to_string(event.scan) + " " +
                   std::to_string(event.flags);
        case KeyEvent::Kind::sleep:
            return "sleep " + std::to_string(event.vk);
        case KeyEvent::Kind::yield:
            return "yield";
    }
    return "?";
}

std::string describe(const std::vector<KeyEvent>& events) {
    std::string text;
    for (const KeyEvent& event : events) text += describe(event) + "\n";
    return text;
}

std::int16_t RecordingKeyInput::vkKeyScan(char ansiChar) {
    called();
    const auto found = otherLayout.find(static_cast<unsigned char>(ansiChar));
    return found != otherLayout.end() ? found->second : us_layout::vkKeyScan(ansiChar);
}

std::uint32_t RecordingKeyInput::mapVirtualKey(std::uint32_t code, std::uint32_t mode) {
    called();
    return us_layout::mapVirtualKey(code, mode);
}

void RecordingKeyInput::keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
    std::uint16_t& state = keyState[vk];
    if (flags & 2) {
        state &= ~0x8000u;
    } else {
        if (!(state & 0x8000u))
            state ^= 1u;  // a key toggles when it goes down, not on repeats
        state |= 0x8000u;
    }
    add(KeyEvent::key(vk, scan, flags));
}

std::int16_t RecordingKeyInput::getKeyState(int vk) {
    if (vk < 0 || vk > 255)
        return 0;
    return static_cast<std::int16_t>(keyState[vk]);
}

void RecordingKeyInput::sleep(std::uint32_t milliseconds) {
    add(KeyEvent::pause(milliseconds));
}

void RecordingKeyInput::doEvents() {
    add(KeyEvent::yield());
    if (onDoEvents)
        onDoEvents();
}

std::uint32_t RecordingKeyInput::toAnsi(char16_t ch) {
    called();
    const auto found = multiByte.find(ch);
    return found != multiByte.end() ? found->second : us_layout::toCp1252(ch);
}

std::vector<KeyEvent> RecordingKeyInput::keys() const {
    std::vector<KeyEvent> only;
    for (const KeyEvent& event : events)
        if (event.kind == KeyEvent::Kind::key)
            only.push_back(event);
    return only;
}

void RecordingKeyInput::called() {
    if (callCount >= callLimit)
        throw EventLimitReached{};
    ++callCount;
}

void RecordingKeyInput::add(const KeyEvent& event) {
    if (eventCount >= eventLimit)
        throw EventLimitReached{};
    ++eventCount;
    if (onEvent)
        onEvent(event);
    if (record)
        events.push_back(event);
}

}  // namespace harfpad::fakes
