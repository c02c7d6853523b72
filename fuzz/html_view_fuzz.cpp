// Feeds arbitrary markup to the reply view: parsing, serialising and the readable text must
// neither crash nor hang, and the serialised body must be stable. The first byte chooses how the
// rest is read: as one character per byte, or as UTF-16 code units.
//
// Stable means: once the parser has repaired the markup, parsing the serialised body and
// serialising it again gives the same text. A single round may still change misnested markup
// (the parser builds some trees that do not survive a round trip, such as a table fostered out
// of a link), so the second and third serialisations are compared. Five exceptions: a line
// feed that starts a <pre>, <listing> or <textarea> is written out, and each parse drops one;
// <plaintext> has no end tag, so the one written out becomes text when read again; a script
// whose text opens "<!--" and then "<script" without closing them, where the end tag written
// out is read as more script text (browsers do the same); a form inside a form (a </form>
// that left an element of its form open lets the next <form> nest), whose start tag is dropped
// when read again, one level each round; and a tree as deep as the view's
// nesting limit, where elements beyond it were put beside the innermost and their end tags
// close an element further out when read again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "feedback/HtmlView.h"

namespace {

using harfpad::feedback::HtmlNode;
using harfpad::feedback::HtmlView;
using harfpad::feedback::html::Tag;

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

// `what` is lower case.
std::size_t findIgnoringCase(const std::u16string& text, std::u16string_view what,
                             std::size_t from) {
    const auto at =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(),
                    what.end(), [](char16_t a, char16_t b) { return asciiLower(a) == b; });
    return at == text.end() ? std::u16string::npos : static_cast<std::size_t>(at - text.begin());
}

// Script text that may end inside an escaped "<!-- <script" run, where "</script>" does not end
// the element.
bool mayEndDoubleEscaped(const HtmlNode& script) {
    const HtmlNode* text = script.firstChild;
    if (!text || text->kind != HtmlNode::Kind::Text)
        return false;
    const std::size_t comment = findIgnoringCase(text->text, u"<!--", 0);
    return comment != std::u16string::npos &&
           findIgnoringCase(text->text, u"<script", comment) != std::u16string::npos;
}

bool changesWhenReadAgain(const HtmlNode& root) {
    bool changes = false;
    std::size_t depth = 0;  // the elements above a node
    std::size_t forms = 0;  // the forms above a node
    harfpad::feedback::walkTree(
        root,
        [&](const HtmlNode& node) {
            if ((node.isHtml(Tag::pre) || node.isHtml(Tag::listing) ||
                 node.isHtml(Tag::textarea)) &&
                node.firstChild && node.firstChild->kind == HtmlNode::Kind::Text &&
                !node.firstChild->text.empty() && node.firstChild->text.front() == u'\n')
                changes = true;
            if (node.isHtml(Tag::plaintext) || depth + 2 >= HtmlView::kMaxDepth ||
                (node.isHtml(Tag::script) && mayEndDoubleEscaped(node)) ||
                (node.isHtml(Tag::form) && forms > 0))
                changes = true;
            depth += node.kind == HtmlNode::Kind::Element;
            forms += node.isHtml(Tag::form);
            return !changes;
        },
        [&](const HtmlNode& element) {
            --depth;
            forms -= element.isHtml(Tag::form);
        });
    return changes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::u16string html;
    if (data[0] & 1) {
        for (std::size_t i = 1; i + 1 < size; i += 2)
            html += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    } else {
        html.assign(data + 1, data + size);
    }
    HtmlView view;
    view.setBodyHtml(html);
    const std::u16string first = view.bodyHtml();
    const std::u16string text = view.readableText();
    view.setBodyHtml(first);
    const std::u16string second = view.bodyHtml();
    if (second.size() > HtmlView::kMaxReplyLength || changesWhenReadAgain(view.body()))
        return 0;
    view.setBodyHtml(second);
    if (view.bodyHtml() != second)
        std::abort();  // serialising is not stable
    return static_cast<int>(text.size() & 0);
}
