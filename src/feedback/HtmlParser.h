// Parses markup as the content of a document body (tokenizer and a simplified tree builder).
#pragma once

#include <cstddef>
#include <string_view>

#include "feedback/HtmlView.h"

namespace harfpad::feedback {

// Appends the parsed markup to `body`. Elements are nested at most `maxDepth` levels deep.
void parseBodyContent(std::u16string_view html, HtmlNode& body, std::size_t maxDepth);

}  // namespace harfpad::feedback
