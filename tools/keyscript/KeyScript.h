// keyscript: plays one key-injection operation into the recording stand-in of the system and
// prints what the system would have received, one line per event.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace harfpad::tools {

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string fromUtf8(std::string_view text);

// Runs the command in `args` (without the program name). Returns the exit status: 0 done,
// 1 the operation failed (last line "error ..."), 2 usage error (usage on `err`).
int runKeyScript(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace harfpad::tools
