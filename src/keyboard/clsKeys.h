// Synthesised keystrokes: tap or hold a character or a virtual key, type a string, read the lock
// keys, and play a small key script with modifier and key-name syntax. Keeps no state.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/KeyInputApi.h"

namespace harfpad {

class clsKeys {
  public:
    clsKeys(IKeyInputApi& system, IAnsiCodePage& codePage) : system_(system), codePage_(codePage) {}

    // Throws std::invalid_argument for an empty text, std::overflow_error when the first
    // character does not fit one ANSI byte.
    void PressKey(std::u16string_view sKey, bool bHold = false, bool bRelease = false);
    void PressString(std::u16string sString, bool bDoEvents = false);
    // Throws std::overflow_error for a code outside 0..255 (unless nothing would be sent).
    void PressKeyVK(int keyPress, bool bHold = false, bool bRelease = false,
                    bool bCompatible = false);
    void GetLockStatus(bool& bCapsLock, bool& bNumLock, bool& bScrollLock);
    // Throws std::invalid_argument or std::overflow_error; events already sent stay sent. Every
    // modifier the script pressed and did not release is released before it returns or throws.
    void PressSendKeys(std::u16string sKeys);

  private:
    void playScript(std::u16string_view sKeys, std::vector<int>& modifierStack);
    // A ")" or "}": releases the key of the innermost open group, if it has one.
    void closeGroup(std::vector<int>& modifierStack);
    // Releases every modifier still held, innermost first.
    void releaseHeld(std::vector<int>& modifierStack);

    // Reads one braced key item. `position` indexes `script` just past the opening brace and is
    // left on the first character after the key name, or after the single character when no
    // name matches. `keyCode` is the named key's code (0 for none); `keyText` is then the single
    // character (empty when the script ends there).
    static void ReadKeyName(std::size_t& position, std::u16string_view script,
                            std::u16string_view& keyText, int& keyCode);

    IKeyInputApi& system_;
    IAnsiCodePage& codePage_;
};

}  // namespace harfpad
