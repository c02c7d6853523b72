// The "Setting" page: taskbar indicator, layout-switch hotkey and the two switch buttons.
#pragma once

#include <span>

#include "platform/Ui.h"

namespace harfpad::setting_page {

enum : ControlId {
    kFrame6 = 100,
    kIndicator,
    kFrame1,
    kOption1,
    kOption2,
    kOption3,
    kLabel26,
    kFrame5,
    kARswitch,
    kEnswitch,
    kDefault,
    kApply,
};

std::span<const ControlSpec> controls();

}  // namespace harfpad::setting_page
