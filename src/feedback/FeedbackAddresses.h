// Where the feedback goes, what the connectivity probe opens and what it must read there. The
// program's entry fills them in from what is built into the exe; tests of the network path use
// loopback ones.
#pragma once

#include <string>
#include <string_view>

namespace harfpad::feedback {

struct FeedbackAddresses {
    std::u16string feedbackUrl;
    std::u16string probeUrl;
    // The whole text the probe page answers with when the way out is open: a captive portal's
    // sign-in page or a proxy's error page answers with something else.
    std::u16string probeContent;
};

// The host of an absolute URL, without user information or port: "www.msftconnecttest.com"
// for "http://www.msftconnecttest.com/connecttest.txt".
std::u16string hostOf(std::u16string_view url);

// True for an address that can reach no one: its host lies under the reserved top-level domain
// "invalid". A build made without the maker's real feedback address carries such a one.
bool isPlaceholderAddress(std::u16string_view url);

}  // namespace harfpad::feedback
