// Parses markup as the content of a document body, as a browser sets a body's innerHTML: the
// tokenizer and the tree building of the HTML standard, bounded by a nesting depth and a number
// of nodes so that any input parses in time in proportion to its length. Reopening formatting
// elements, which makes nodes without input, is bounded too: 65,536 copies, and 2^22 code units
// of names and attribute values copied.
#pragma once

#include <cstddef>
#include <string_view>

#include "html/Node.h"

namespace harfpad::html {

struct Limits {
    std::size_t maxDepth;  // open elements; deeper ones are added beside the innermost
    std::size_t maxNodes;  // nodes plus attributes; parsing stops when they are used up
};

// Replaces the content of `document` with the parsed markup.
void parseBodyContent(std::u16string_view html, Document& document, Limits limits);

}  // namespace harfpad::html
