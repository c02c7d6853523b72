// Parses markup as the content of a document body, as a browser sets a body's innerHTML.
#pragma once

#include <string_view>

#include "feedback/HtmlNode.h"
#include "feedback/HtmlTreeBuilder.h"

namespace harfpad::feedback {

// Replaces the content of `document` with the parsed markup.
void parseBodyContent(std::u16string_view html, HtmlDocument& document, HtmlLimits limits);

}  // namespace harfpad::feedback
