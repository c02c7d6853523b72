// UTF-8 input for replyview, decoded as a browser decodes a UTF-8 page.
#pragma once

#include <string>
#include <string_view>

namespace harfpad::tools {

// A malformed sequence becomes one U+FFFD for each maximal invalid part, as the Encoding
// standard's decoder does; a leading byte order mark is kept as U+FEFF.
std::u16string decodeUtf8(std::string_view bytes);

}  // namespace harfpad::tools
