// The reply view: a document body that holds parsed HTML and never runs or loads anything.
// Markup written into it is parsed the way a browser parses a body's content; script and style
// stay inert text, and nothing is fetched.
//
// Bounded for any reply: it keeps the first kMaxReplyLength characters of a reply (the rest is
// not shown, and the acknowledgement is looked for in what was kept), nests at most kMaxDepth
// open elements, and stops adding to the tree after kMaxNodes nodes and attributes. Formatting
// elements that blocks cut across are reopened or split at most 65,536 times, and no more once
// those copies hold 2^22 code units of names and attribute values. Parsing takes time in
// proportion to the length of the reply.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "html/Node.h"

namespace harfpad::feedback {

class HtmlView {
  public:
    // Replaces the content of the body with the parsed markup.
    void setBodyHtml(std::u16string_view markup);
    // The body's content serialised as HTML: text and attribute values re-escaped, raw-text
    // elements written as they are, void elements without an end tag.
    std::u16string bodyHtml() const;
    // What a reader sees: the text outside script, style and the like, blanks collapsed, one
    // line per block; lines end in LF.
    std::u16string readableText() const;

    const html::Node& body() const { return document_.root(); }

    static constexpr std::size_t kMaxReplyLength = std::size_t{1} << 20;  // UTF-16 code units
    static constexpr std::size_t kMaxDepth = 256;
    static constexpr std::size_t kMaxNodes = std::size_t{1} << 19;

  private:
    html::Document document_;
};

}  // namespace harfpad::feedback
