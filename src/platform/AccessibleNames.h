// What assistive technology is told about a form's controls beyond their window texts: names
// given through the system's annotation service, and live regions whose changes are read out.
#pragma once

#include <string_view>

#include "platform/Ui.h"

namespace harfpad {

class IAccessibleNames {
  public:
    virtual ~IAccessibleNames() = default;
    // The name a screen reader reads for the control. Its window text stays as it is.
    virtual void setName(ControlId id, std::u16string_view name) = 0;
    // Makes the control a polite live region: its changes are read once the reader is idle.
    virtual void setLiveRegion(ControlId id) = 0;
    // Tells assistive technology that the live region's text has just changed.
    virtual void liveRegionChanged(ControlId id) = 0;
};

}  // namespace harfpad
