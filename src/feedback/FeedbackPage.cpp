#include "feedback/FeedbackPage.h"

namespace harfpad::feedback_page {

namespace {
using K = ControlKind;

// Twips relative to the page, in the order the Tab key visits them: name, e-mail, message,
// "Send". The reply view lies over the lower part of the message box and takes no focus by Tab;
// it stays hidden until it holds a reply, so that it covers nothing the user types.
constexpr ControlSpec kControls[] = {
    {kLabel3Name, K::Label, u"Name", {720, 1740, 1095, 255}},
    {kText1Name, K::TextBox, u"", {1680, 1740, 4215, 405}},
    {kLabel3Email, K::Label, u"Email", {720, 2340, 1095, 255}},
    {kText1Email, K::TextBox, u"", {1680, 2220, 4215, 405}},
    {kLabel3Feedback, K::Label, u"Feedback", {720, 2820, 1095, 375}},
    {kText1Feedback,
     K::MultiLineText,
     u"",
     {1680, 2700, 4215, 1725},
     kNoControl,
     nullptr,
     kStyleVScroll | kStyleNoLengthLimit},
    {kWebBrowser1,
     K::ReadOnlyText,
     u"",
     {2400, 3420, 3375, 855},
     kNoControl,
     nullptr,
     kStyleNoTabStop | kStyleNoLengthLimit | kStyleHidden},
    {kLabel20, K::Label, u"Servre Status", {2880, 4740, 1455, 255}},
    {kLabel21, K::Label, u"", {4320, 4740, 1095, 255}},
    {kLabel4,
     K::Label,
     u"I would be pleased to give me your feedback or any problems  with the software. Click "
     u"here >>>",
     {840, 5580, 3375, 615}},
    {kSubmit, K::Button, u"Send", {4560, 5580, 1335, 495}},
    {kLabel3Transmission, K::Label, u"Transmission Status", {720, 6420, 1935, 255}},
    {kLabel10, K::Label, u"", {2400, 6420, 2775, 375}},
};
}  // namespace

std::span<const ControlSpec> controls() {
    return kControls;
}

}  // namespace harfpad::feedback_page
