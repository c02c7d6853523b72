// Typing plain keys while the user holds Shift, Ctrl, Alt or Windows: the keystrokes would mix
// with the held keys (Ctrl with V pastes, Shift with 2 types "@"), so those keys are let go
// around them and pressed again after, as they are in the user's hands.
#pragma once

#include <span>
#include <vector>

#include "platform/KeystrokeApi.h"

namespace harfpad {

// Releases the held keys. Where an Alt or Windows key is among them, a masking key comes first,
// so that letting go of it opens no menu bar and no Start menu.
std::vector<Keystroke> liftHeldModifiers(ModifierKeys held);
// Presses the held keys again, masking an Alt or Windows key after, so that the user's own
// release of it later opens nothing either.
std::vector<Keystroke> restoreHeldModifiers(ModifierKeys held);
// `keys` between the two.
std::vector<Keystroke> withHeldModifiersLifted(ModifierKeys held, std::span<const Keystroke> keys);

}  // namespace harfpad
