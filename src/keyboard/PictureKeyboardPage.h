// The "KB Testing" page: the picture keyboard and the text box it types into.
#pragma once

#include <span>

#include "platform/Ui.h"

namespace harfpad::picture_page {

enum : ControlId {
    kFrame4 = 200,
    kText4,
};

// The Windows Arabic character set, given to Text4's font at start-up.
inline constexpr int kArabicCharset = 178;

std::span<const ControlSpec> controls();

}  // namespace harfpad::picture_page
