// Plays arbitrary bytes as a key script into the recording stand-in of the system, under the
// sanitizers: whatever the script, the play ends in one of its defined ways and leaves no
// modifier it pressed down. What each script sends is the script table's part (keys_test.cpp).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "keyinput/RecordingKeyInput.h"
#include "keyboard/clsKeys.h"

namespace {

using harfpad::clsKeys;
using harfpad::fakes::EventLimitReached;
using harfpad::fakes::RecordingKeyInput;

constexpr std::size_t kEventLimit = 20000;  // long repeat counts are cut here

// Bytes are Latin-1 characters; 0xFF and the next two bytes give any UTF-16 unit.
std::u16string toScript(const std::uint8_t* data, std::size_t size) {
    std::u16string script;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            script.push_back(static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]));
            i += 2;
        } else {
            script.push_back(data[i]);
        }
    }
    return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordingKeyInput system;
    system.eventLimit = kEventLimit;
    system.callLimit = 5 * kEventLimit;
    system.multiByte[u'\u3042'] = 0x82A0;  // one double-byte character
    clsKeys keys(system, system);
    try {
        keys.PressSendKeys(toScript(data, size));
    } catch (const std::invalid_argument&) {
    } catch (const std::overflow_error&) {
    } catch (const EventLimitReached&) {
        return 0;  // stopped by the bound halfway: what the script held may still be down
    }
    for (const int vk : {16, 17, 18})
        if (system.keyState[vk] & 0x8000)
            std::abort();
    return 0;
}
