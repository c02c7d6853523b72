// Element categories the HTML parser and serialiser share.
#pragma once

#include <string_view>

namespace harfpad::feedback::html {

// No content and no end tag: <br>, <img>, ...
bool isVoid(std::u16string_view name);
// Content is text up to the matching end tag, written back unescaped.
bool isRawText(std::u16string_view name);
// Content is text up to the matching end tag, with character references decoded.
bool isEscapableRawText(std::u16string_view name);
// Elements an unmatched end tag does not close past.
bool isSpecial(std::u16string_view name);
// Start tags that close an open paragraph.
bool closesParagraph(std::u16string_view name);
// Laid out on lines of their own.
bool isBlock(std::u16string_view name);
bool isHeading(std::u16string_view name);

}  // namespace harfpad::feedback::html
