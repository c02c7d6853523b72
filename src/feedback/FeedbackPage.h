// The "Feedback" page: name, e-mail and message boxes, the reply view, "Send" and its statuses.
#pragma once

#include <span>

#include "platform/Ui.h"

namespace harfpad::feedback_page {

enum : ControlId {
    kLabel3Name = 400,
    kText1Name,
    kLabel3Email,
    kText1Email,
    kLabel3Feedback,
    kText1Feedback,
    kWebBrowser1,
    kLabel20,
    kLabel21,  // connection status
    kLabel4,
    kSubmit,
    kLabel3Transmission,
    kLabel10,  // transmission status
};

std::span<const ControlSpec> controls();

}  // namespace harfpad::feedback_page
