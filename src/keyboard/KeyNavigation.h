// Moving the focus over an on-screen keyboard from the physical one: the keys are one tab stop,
// and the arrows, Home and End go from key to key by where the keys stand.
#pragma once

#include <span>

#include "platform/KeystrokeApi.h"
#include "platform/Ui.h"

namespace harfpad {

// The key of `page` that `key` moves the focus to from the key `from`. The keys are the page's
// kStyleRovingTabStop controls; a row is the keys of one top, left to right. Left and Right go
// along the row, Home and End to its ends; Up and Down to the key of the row above or below
// whose centre is nearest (the left one of two). At an edge the focus stays on `from`.
// kNoControl when `from` is not a key of `page`.
ControlId nextKey(std::span<const ControlSpec> page, ControlId from, NavigationKey key);

// After a key pressed with Space or Enter has done what a click does: once what it typed has
// reached its box, the focus comes back to the key, so the next key is one arrow away.
void giveFocusBack(IFormView& view, IKeystrokeSender& keystrokes, ControlId key);

}  // namespace harfpad
