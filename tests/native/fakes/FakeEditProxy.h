// Active Accessibility's proxy for an edit box, which has no text of its own to be named by.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace harfpad::fakes {

// A control the Tab key stops at: the program gives each one both WS_GROUP and WS_TABSTOP.
inline bool isGroupTabStop(const ControlSpec& c) {
    const bool background = c.kind == ControlKind::Frame || c.kind == ControlKind::Label;
    const bool inGroup = c.kind != ControlKind::OptionButton || (c.style & kStyleGroupStart);
    return !background && inGroup && !(c.style & kStyleNoTabStop);
}

// learn.microsoft.com, "Providing the Name Property": the label is found with GetWindow and
// GW_HWNDPREV (towards the front of the z-order); the search stops at a static text control,
// whose text is the name, or at a control with WS_GROUP | WS_TABSTOP. `frontToBack`: the
// page's z-order as indices into `controls`.
inline std::u16string editProxyName(std::span<const ControlSpec> controls,
                                    const std::vector<std::size_t>& frontToBack, std::size_t edit) {
    std::size_t at = 0;
    while (frontToBack[at] != edit) ++at;
    while (at-- > 0) {
        const ControlSpec& previous = controls[frontToBack[at]];
        if (previous.kind == ControlKind::Label)
            return previous.caption ? previous.caption : u"";
        if (isGroupTabStop(previous))
            break;
    }
    return u"";
}

}  // namespace harfpad::fakes
