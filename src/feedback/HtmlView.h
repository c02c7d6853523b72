// The reply view: a document body that holds parsed HTML and never runs or loads anything.
// Markup written into it is parsed the way a browser parses a body's content (character
// references, raw-text elements, implied end tags, comments); script and style stay inert text.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace harfpad::feedback {

struct HtmlNode {
    enum class Kind { Element, Text, Comment };
    Kind kind = Kind::Element;
    std::u16string name;  // elements: lower-case tag name
    std::vector<std::pair<std::u16string, std::u16string>> attributes;
    std::u16string data;  // text and comments
    std::vector<std::unique_ptr<HtmlNode>> children;
};

class HtmlView {
  public:
    // Replaces the content of the body with the parsed markup.
    void setBodyHtml(std::u16string_view html);
    // The body's content serialised as HTML: text and attribute values re-escaped, raw-text
    // elements written as they are, void elements without an end tag.
    std::u16string bodyHtml() const;
    // What a reader sees: the text outside script, style and the like, blanks collapsed, one
    // line per block; lines end in LF.
    std::u16string readableText() const;

    const HtmlNode& body() const { return body_; }

    // Elements nested deeper than this are added beside their would-be parent instead.
    static constexpr std::size_t kMaxDepth = 256;

  private:
    HtmlNode body_{HtmlNode::Kind::Element, u"body", {}, {}, {}};
};

}  // namespace harfpad::feedback
