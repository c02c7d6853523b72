// Plays arbitrary bytes as a key script into the recording stand-in of the system. Besides the
// sanitizers, every play is compared with a plain reader that edits a copy of the script the
// way the notation reads (wrapping each modifier's next element in parentheses): both must
// send the same events and end the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "keyinput/RecordingKeyInput.h"
#include "keyboard/clsKeys.h"

namespace {

using harfpad::clsKeys;
using harfpad::fakes::EventLimitReached;
using harfpad::fakes::RecordingKeyInput;

constexpr std::size_t kEventLimit = 20000;  // long repeat counts are cut here

enum class Ending { done, invalidArgument, overflow, limit };

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

struct Name {
    std::u16string_view text;
    int code;
};
const Name kNames[] = {
    {u"BS", 8},        {u"BKSP", 8},      {u"BACKSPACE", 8},    {u"TAB", 9},     {u"ENTER", 13},
    {u"CAPSLOCK", 20}, {u"ESC", 27},      {u"PGUP", 33},        {u"PGDN", 34},   {u"END", 35},
    {u"HOME", 36},     {u"LEFT", 37},     {u"UP", 38},          {u"RIGHT", 39},  {u"DOWN", 40},
    {u"INS", 45},      {u"INSERT", 45},   {u"DEL", 46},         {u"DELETE", 46}, {u"F1", 112},
    {u"F2", 113},      {u"F3", 114},      {u"F4", 115},         {u"F5", 116},    {u"F6", 117},
    {u"F7", 118},      {u"F8", 119},      {u"F9", 120},         {u"F10", 121},   {u"F11", 122},
    {u"F12", 123},     {u"NUMLOCK", 144}, {u"SCROLLLOCK", 145},
};

void closeGroup(std::vector<int>& stack, clsKeys& keys) {
    if (!stack.empty()) {
        if (stack.back() != 0)
            keys.PressKeyVK(stack.back(), false, true);
        stack.pop_back();
    }
}

// The reader that edits its working copy: quadratic, obviously right, for comparison only.
void referenceScript(std::u16string w, clsKeys& keys, RecordingKeyInput& system,
                     std::vector<int>& stack) {
    bool covers = false;
    for (std::size_t pos = 0; pos < w.size(); ++pos) {
        const char16_t c = w[pos];
        const bool modifier = c == u'+' || c == u'^' || c == u'%';
        if (modifier) {
            const int code = c == u'+' ? 16 : c == u'^' ? 17 : 18;
            keys.PressKeyVK(code, true);
            stack.push_back(code);
            covers = pos + 1 < w.size() && w[pos + 1] == u'{';
            if (pos + 1 >= w.size())
                w += u"()";
            else if (w[pos + 1] != u'(' && w[pos + 1] != u'{')
                w = w.substr(0, pos + 1) + u"(" + w[pos + 1] + u")" + w.substr(pos + 2);
        } else if (c == u'~') {
            keys.PressKeyVK(13);
        } else if (c == u')' || c == u'}') {
            closeGroup(stack, keys);
        } else if (c == u'{') {
            if (!covers)
                stack.push_back(0);
            std::size_t p = pos + 1;
            int code = 0;
            std::u16string text;
            for (std::size_t length = 10; length >= 2 && code == 0; --length) {
                if (w.size() - p < length)
                    continue;
                std::u16string upper = w.substr(p, length);
                for (char16_t& u : upper)
                    if (u >= u'a' && u <= u'z')
                        u = static_cast<char16_t>(u - 32);
                for (const Name& name : kNames)
                    if (name.text == upper) {
                        code = name.code;
                        p += length;
                        break;
                    }
            }
            if (code == 0) {
                if (p < w.size())
                    text = w.substr(p, 1);
                ++p;
            }
            long long count = 1;
            if (p < w.size() && w[p] == u' ') {
                count = 0;
                for (; p < w.size() && w[p] != u'}'; ++p) {
                    count = count * 10 + ((w[p] >= u'0' && w[p] <= u'9') ? w[p] - u'0' : 0);
                    if (count > std::numeric_limits<std::int32_t>::max())
                        throw std::overflow_error("count");
                }
            }
            for (long long i = 0; i < count; ++i) {
                if (code == 0) {
                    keys.PressKey(text);
                } else {
                    keys.PressKeyVK(code);
                    system.doEvents();
                }
            }
            // "{}" has typed its "}": the item ends, unless a second "}" closes it.
            if (code == 0 && text == u"}" && (p >= w.size() || w[p] != u'}'))
                closeGroup(stack, keys);
            pos = p - 1;
        } else if (c != u'(') {
            keys.PressKey(std::u16string(1, c));
        }
        if (!modifier)
            covers = false;
        system.doEvents();
    }
}

// Whatever happens, no modifier the script pressed stays down.
void referencePlay(const std::u16string& w, clsKeys& keys, RecordingKeyInput& system) {
    std::vector<int> stack;
    try {
        referenceScript(w, keys, system, stack);
    } catch (...) {
        while (!stack.empty()) closeGroup(stack, keys);
        throw;
    }
    while (!stack.empty()) closeGroup(stack, keys);
}

template <typename Play>
Ending run(RecordingKeyInput& system, Play play) {
    system.eventLimit = kEventLimit;
    system.callLimit = 5 * kEventLimit;
    system.multiByte[u'\u3042'] = 0x82A0;  // one double-byte character
    try {
        play();
    } catch (const std::invalid_argument&) {
        return Ending::invalidArgument;
    } catch (const std::overflow_error&) {
        return Ending::overflow;
    } catch (const EventLimitReached&) {
        return Ending::limit;
    }
    return Ending::done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string script = toScript(data, size);

    RecordingKeyInput played;
    clsKeys keys(played, played);
    const Ending ending = run(played, [&] { keys.PressSendKeys(script); });

    // The reference copies its script on every modifier; keep its inputs modest.
    if (script.size() > 4096)
        return 0;
    RecordingKeyInput expected;
    clsKeys referenceKeys(expected, expected);
    const Ending expectedEnding =
        run(expected, [&] { referencePlay(script, referenceKeys, expected); });
    if (ending != expectedEnding || played.events != expected.events)
        std::abort();
    return 0;
}
