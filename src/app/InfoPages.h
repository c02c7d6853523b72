// The information pages "About" and "Other Products".
#pragma once

#include <span>

#include "platform/Ui.h"

namespace harfpad::info_pages {

enum : ControlId {
    kAboutTitle = 300,
    kAboutVersion,
    kAboutText,
    kAboutFeedbackNote,  // says when this build has no real feedback address
    kProductsText = 350,
    kProductsAsk,
};

// What the "Other Products" button puts into the feedback message.
inline constexpr char16_t kProductsSubject[] = u"Subject: Other Products\r\n";

inline constexpr char16_t kNoFeedbackAddressNote[] =
    u"This copy was built without a feedback address: messages sent from the Feedback page reach "
    u"no one.";

std::span<const ControlSpec> aboutControls();
std::span<const ControlSpec> otherProductsControls();

}  // namespace harfpad::info_pages
