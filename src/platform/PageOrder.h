// The order in which a page's controls lie on top of one another (the z-order), which is also
// the order the Tab key and screen readers walk.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/Ui.h"

namespace harfpad {

// True for a label listed right before a text box in its page's table: the label names the box
// (screen readers take an edit box's name from the label just before it).
bool namesNextControl(std::span<const ControlSpec> controls, std::size_t index);

// Indices into `controls`, front to back. Controls stay in table order, with three exceptions:
// a read-only view the Tab key skips lies in front of everything (it is shown over another
// control); labels, then frames, lie behind everything (the later one in front), so that no
// control they overlap is hidden; a label that names a text box stays right before it, and is cut
// at the box's left edge (resolvePageRects) so that it hides none of it.
std::vector<std::size_t> frontToBack(std::span<const ControlSpec> controls);

}  // namespace harfpad
