// Synthesised keystrokes: tap or hold a character or a virtual key, type a string, read the lock
// keys, and play a small key script with modifier and key-name syntax. Keeps no state.
#pragma once

#include <string>
#include <string_view>

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
    // Throws std::invalid_argument or std::overflow_error; events already sent stay sent.
    void PressSendKeys(std::u16string sKeys);

  private:
    IKeyInputApi& system_;
    IAnsiCodePage& codePage_;
};

}  // namespace harfpad
