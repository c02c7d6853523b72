// Writes a tree back as HTML, as a browser serialises an element's innerHTML.
#pragma once

#include <string>

#include "html/Node.h"

namespace harfpad::html {

// The children of `parent` as HTML: text and attribute values re-escaped, raw-text elements
// written as they are, void elements without an end tag.
std::u16string serialize(const Node& parent);

}  // namespace harfpad::html
