// Character references in HTML text and attribute values ("&amp;", "&#1604;", "&#x644;").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace harfpad::html {

// Appends a code point as UTF-16.
void appendCodePoint(std::u16string& out, char32_t codePoint);

// text[pos] is '&'. Appends what the reference stands for and moves pos past it; when no
// reference starts there, appends the '&' alone and moves past it. Named references are matched
// longest first against the whole HTML list; in attribute values one without its ';' is kept as
// written when a letter, digit or '=' follows.
void decodeCharRef(std::u16string_view text, std::size_t& pos, bool inAttribute,
                   std::u16string& out);

}  // namespace harfpad::html
