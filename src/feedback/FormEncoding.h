// How the feedback fields travel: UTF-8, application/x-www-form-urlencoded, CR LF line ends.
#pragma once

#include <string>
#include <string_view>

namespace harfpad::feedback {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

// UTF-8 to UTF-16, as a browser decodes a UTF-8 page: a malformed sequence becomes one U+FFFD
// for each maximal invalid part, as the Encoding standard's decoder does; a leading byte order
// mark is kept as U+FEFF.
std::u16string decodeUtf8(std::string_view bytes);

// The form-urlencoded byte serialisation of the value's UTF-8 bytes: space becomes "+",
// ASCII letters, digits and "*-._" stay, every other byte becomes "%XX" (upper-case hex).
std::string formUrlEncode(std::u16string_view value);

// "name=...&email=...&feedback=..." with each value encoded.
std::u16string feedbackBody(std::u16string_view name, std::u16string_view email,
                            std::u16string_view message);

// Every LF becomes CR LF, also one that already follows a CR.
std::u16string lfToCrLf(std::u16string_view text);

}  // namespace harfpad::feedback
