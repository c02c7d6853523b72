#include "keyboard/clsKeys.h"

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

namespace harfpad {
namespace {

constexpr std::uint32_t kExtendedKey = 1;  // KEYEVENTF_EXTENDEDKEY
constexpr std::uint32_t kKeyUp = 2;        // KEYEVENTF_KEYUP
constexpr std::uint32_t kMapToScanCode = 0;
constexpr std::uint32_t kMapToChar = 2;

constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kAlt = 18;
constexpr int kEnter = 13;

struct KeyName {
    std::u16string_view name;
    int code;
};

// Longest names first, so that "F10" is tried before "F1" and "INSERT" before "INS".
constexpr std::array<KeyName, 33> kKeyNames{{
    {u"SCROLLLOCK", 145}, {u"BACKSPACE", 8}, {u"CAPSLOCK", 20}, {u"NUMLOCK", 144}, {u"INSERT", 45},
    {u"DELETE", 46},      {u"ENTER", 13},    {u"RIGHT", 39},    {u"BKSP", 8},      {u"PGUP", 33},
    {u"PGDN", 34},        {u"HOME", 36},     {u"LEFT", 37},     {u"DOWN", 40},     {u"TAB", 9},
    {u"ESC", 27},         {u"END", 35},      {u"INS", 45},      {u"DEL", 46},      {u"F10", 121},
    {u"F11", 122},        {u"F12", 123},     {u"BS", 8},        {u"UP", 38},       {u"F1", 112},
    {u"F2", 113},         {u"F3", 114},      {u"F4", 115},      {u"F5", 116},      {u"F6", 117},
    {u"F7", 118},         {u"F8", 119},      {u"F9", 120},
}};

char16_t upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool matchesAt(std::u16string_view script, std::size_t position, std::u16string_view name) {
    if (script.size() - position < name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (upper(script[position + i]) != name[i])
            return false;
    return true;
}

std::uint8_t toByte(int code) {
    if (code < 0 || code > 255)
        throw std::overflow_error("key code does not fit one byte");
    return static_cast<std::uint8_t>(code);
}

// The working copy of a script as it is read. A modifier wraps the element after it in
// parentheses; instead of editing the text, the wrapping is kept as a short synthetic run in
// front of the unread rest: an optional "(", an optional held character of the script, then a
// number of ")". Everything after that run is the script itself, from `next_` on, so each step
// costs constant time however many modifiers the script holds.
class ScriptReader {
  public:
    explicit ScriptReader(std::u16string_view script) : script_(script) {}

    bool atEnd() const { return !open_ && !held_ && closes_ == 0 && next_ >= script_.size(); }

    // The character at the position; the position moves on by one.
    char16_t take() {
        if (open_) {
            open_ = false;
            return u'(';
        }
        if (held_) {
            held_ = false;
            return script_[heldIndex_];
        }
        if (closes_ > 0) {
            --closes_;
            return u')';
        }
        return script_[next_++];
    }

    // After a modifier: put the element that follows it in parentheses, unless it already
    // opens a group or a braced item.
    void wrapFollowing() {
        if (closes_ > 0) {  // the next element is a ")" of an enclosing wrap
            open_ = true;
            ++closes_;
            return;
        }
        if (next_ >= script_.size()) {  // a modifier at the very end covers "()"
            open_ = true;
            closes_ = 1;
            return;
        }
        const char16_t following = script_[next_];
        if (following == u'(' || following == u'{')
            return;
        open_ = true;
        held_ = true;
        heldIndex_ = next_++;
        closes_ = 1;
    }

    // True when the rest is plain script text; a braced item is read straight from it.
    bool plain() const { return !open_ && !held_ && closes_ == 0; }
    std::u16string_view script() const { return script_; }
    std::size_t& next() { return next_; }

  private:
    std::u16string_view script_;
    std::size_t next_ = 0;
    bool open_ = false;
    bool held_ = false;
    std::size_t heldIndex_ = 0;
    std::size_t closes_ = 0;
};

// Reads the repeat count of a braced item from the blank at `position` up to the next "}" or
// the end; every character other than a digit counts as 0. Leaves `position` on the "}".
int readRepeatCount(std::u16string_view script, std::size_t& position) {
    std::int64_t count = 0;
    for (; position < script.size() && script[position] != u'}'; ++position) {
        const char16_t c = script[position];
        const int digit = (c >= u'0' && c <= u'9') ? c - u'0' : 0;
        count = count * 10 + digit;
        if (count > std::numeric_limits<std::int32_t>::max())
            throw std::overflow_error("repeat count too large");
    }
    return static_cast<int>(count);
}

}  // namespace

void clsKeys::PressKeyVK(int keyPress, bool bHold, bool bRelease, bool bCompatible) {
    const auto code = static_cast<std::uint32_t>(keyPress);
    std::uint32_t flags = system_.mapVirtualKey(code, kMapToChar) == 0 ? kExtendedKey : 0;
    if (bCompatible)
        flags = 0;
    const auto scan = static_cast<std::uint8_t>(system_.mapVirtualKey(code, kMapToScanCode));
    if (!bRelease)
        system_.keybdEvent(toByte(keyPress), scan, flags);
    if (!bHold)
        system_.keybdEvent(toByte(keyPress), scan, flags + kKeyUp);
}

void clsKeys::PressKey(std::u16string_view sKey, bool bHold, bool bRelease) {
    if (sKey.empty())
        throw std::invalid_argument("no key given");
    const std::uint32_t ansi = codePage_.toAnsi(sKey.front());
    if (ansi > 255)
        throw std::overflow_error("character needs more than one ANSI byte");
    const std::int32_t mapping = system_.vkKeyScan(static_cast<char>(ansi));
    // 0: nothing to press; -1: no key of the active layout gives the character.
    if (mapping == 0 || mapping == -1)
        return;

    const auto key = static_cast<std::uint8_t>(mapping & 0xFF);
    const bool modifiers[3] = {(mapping & 0x100) != 0, (mapping & 0x200) != 0,
                               (mapping & 0x400) != 0};
    constexpr std::uint8_t modifierCodes[3] = {kShift, kControl, kAlt};
    // The whole mapping goes to both questions, shift bits included.
    const auto whole = static_cast<std::uint32_t>(mapping);
    const std::uint32_t flags = system_.mapVirtualKey(whole, kMapToChar) == 0 ? kExtendedKey : 0;
    const auto scan = static_cast<std::uint8_t>(system_.mapVirtualKey(whole, kMapToScanCode));

    if (!bRelease) {
        for (int i = 0; i < 3; ++i)
            if (modifiers[i])
                system_.keybdEvent(modifierCodes[i], 0, 0);
        system_.keybdEvent(key, scan, flags);
    }
    if (!bHold) {
        system_.keybdEvent(key, scan, flags + kKeyUp);
        for (int i = 0; i < 3; ++i)  // released in the order they went down
            if (modifiers[i])
                system_.keybdEvent(modifierCodes[i], 0, kKeyUp);
    }
}

void clsKeys::PressString(std::u16string sString, bool bDoEvents) {
    for (std::size_t i = 0; i < sString.size(); ++i) {
        PressKey(std::u16string_view(sString).substr(i, 1));
        system_.sleep(20);
        if (bDoEvents)
            system_.doEvents();
    }
}

void clsKeys::GetLockStatus(bool& bCapsLock, bool& bNumLock, bool& bScrollLock) {
    // The whole state counts: a lock key held down reads as on even when toggled off.
    bCapsLock = system_.getKeyState(20) != 0;
    bNumLock = system_.getKeyState(144) != 0;
    bScrollLock = system_.getKeyState(145) != 0;
}

void clsKeys::ReadKeyName(std::size_t& position, std::u16string_view script,
                          std::u16string_view& keyText, int& keyCode) {
    for (const KeyName& entry : kKeyNames) {
        if (matchesAt(script, position, entry.name)) {
            keyCode = entry.code;
            keyText = script.substr(position, entry.name.size());
            position += entry.name.size();
            return;
        }
    }
    keyCode = 0;
    keyText = position < script.size() ? script.substr(position, 1) : std::u16string_view{};
    if (position < script.size())
        ++position;
}

void clsKeys::PressSendKeys(std::u16string sKeys) {
    // Keys to release at the closes; 0 marks a braced item and releases nothing.
    std::vector<int> modifierStack;
    try {
        playScript(sKeys, modifierStack);
    } catch (...) {
        releaseHeld(modifierStack);
        throw;
    }
    // A script never leaves Shift, Ctrl or Alt down for the whole system, closed or not.
    releaseHeld(modifierStack);
}

void clsKeys::releaseHeld(std::vector<int>& modifierStack) {
    while (!modifierStack.empty()) closeGroup(modifierStack);
}

void clsKeys::closeGroup(std::vector<int>& modifierStack) {
    if (modifierStack.empty())
        return;
    if (modifierStack.back() != 0)
        PressKeyVK(modifierStack.back(), false, true);
    modifierStack.pop_back();
}

void clsKeys::playScript(std::u16string_view sKeys, std::vector<int>& modifierStack) {
    ScriptReader reader(sKeys);
    // A modifier directly in front of a braced item covers the item: the item's "}" releases it.
    bool modifierCoversItem = false;

    while (!reader.atEnd()) {
        const char16_t c = reader.take();
        switch (c) {
            case u'+':
            case u'^':
            case u'%': {
                const int code = c == u'+' ? kShift : c == u'^' ? kControl : kAlt;
                PressKeyVK(code, true);
                modifierStack.push_back(code);
                modifierCoversItem =
                    reader.plain() && reader.next() < sKeys.size() && sKeys[reader.next()] == u'{';
                reader.wrapFollowing();
                break;
            }
            case u'~':
                PressKeyVK(kEnter);
                break;
            case u'(':
                break;
            case u')':
            case u'}':
                closeGroup(modifierStack);
                break;
            case u'{': {
                // A "{" is always read from the script text itself: wraps never hold one.
                if (!modifierCoversItem)
                    modifierStack.push_back(0);
                std::size_t& position = reader.next();
                std::u16string_view keyText;
                int keyCode = 0;
                ReadKeyName(position, sKeys, keyText, keyCode);
                int count = 1;
                if (position < sKeys.size() && sKeys[position] == u' ')
                    count = readRepeatCount(sKeys, position);
                for (int i = 0; i < count; ++i) {
                    if (keyCode == 0) {
                        PressKey(keyText);
                    } else {
                        PressKeyVK(keyCode);
                        system_.doEvents();
                    }
                }
                // "{}" types a "}" and so has no brace of its own left to close it: unless a
                // second "}" follows, the item ends here, and so does a modifier covering it.
                if (keyCode == 0 && keyText == u"}" &&
                    (position >= sKeys.size() || sKeys[position] != u'}'))
                    closeGroup(modifierStack);
                break;
            }
            default:
                PressKey(std::u16string_view(&c, 1));
                break;
        }
        if (c != u'+' && c != u'^' && c != u'%')
            modifierCoversItem = false;
        system_.doEvents();
    }
}

}  // namespace harfpad
