// Where the feedback goes and what the connectivity probe opens. The program always uses the
// built-in defaults; tests of the network path construct it with loopback addresses.
#pragma once

#include <string>
#include <string_view>

#include "BuildConfig.h"

namespace harfpad::feedback {

struct FeedbackAddresses {
    std::u16string feedbackUrl = u"" HARFPAD_FEEDBACK_URL;
    std::u16string probeUrl = u"" HARFPAD_PROBE_URL;
    std::u16string msxmlDownloadUrl = u"" HARFPAD_MSXML_DOWNLOAD_URL;
};

// The host of an absolute URL, without user information or port: "www.google.com" for
// "http://www.google.com/".
std::u16string hostOf(std::u16string_view url);

}  // namespace harfpad::feedback
