// Feeds arbitrary markup to the reply view: parsing, serialising and the readable text must
// neither crash nor hang, and the serialised body must be stable. The first byte chooses how the
// rest is read: as one character per byte, or as UTF-16 code units.
//
// Stable means: parsing the serialised body and serialising it again gives the same text. One
// round may still repair misnested markup (a table fostered out of a link), so the second and
// third serialisations are compared. Trees that change on every round, in browsers too:
// - a line feed starting a <pre>, <listing> or <textarea>: each parse drops one;
// - <plaintext>: it has no end tag, so the one written out reads back as text;
// - a script ending inside "<!--<script": the end tag written out reads back as script text;
// - a form in a form (a </form> that left one of its elements open): one level drops each round;
// - an <a> in an <a>, or a <nobr> in a <nobr>, as the adoption of misnested formatting builds
//   them: the inner start tag reads back as closing the outer, and adoption runs again;
// - a tree as deep as the nesting limit, whose deepest elements were put beside the innermost.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "feedback/HtmlView.h"

namespace {

using harfpad::feedback::HtmlView;
using harfpad::html::Node;
using harfpad::html::Tag;

// Script text that opens "<!--" and then "<script" may end inside that run, where "</script>"
// does not end the element.
bool mayEndDoubleEscaped(const Node& script) {
    if (!script.firstChild)
        return false;
    std::u16string text = script.firstChild->text;
    for (char16_t& c : text) c = harfpad::html::asciiLower(c);
    const std::size_t comment = text.find(u"<!--");
    return comment != std::u16string::npos &&
           text.find(u"<script", comment) != std::u16string::npos;
}

// A form, <a> or <nobr> inside another of its kind.
bool nestsInItsKind(const Node& node) {
    if (!node.isHtml(Tag::form) && !node.isHtml(Tag::a) && !node.isHtml(Tag::nobr))
        return false;
    for (const Node* above = node.parent; above; above = above->parent)
        if (above->isHtml(node.tag))
            return true;
    return false;
}

bool changesWhenReadAgain(const Node& root) {
    bool changes = false;
    std::size_t depth = 0;  // the elements above a node
    harfpad::html::walkTree(
        root,
        [&](const Node& node) {
            if ((node.isHtml(Tag::pre) || node.isHtml(Tag::listing) ||
                 node.isHtml(Tag::textarea)) &&
                node.firstChild && node.firstChild->kind == Node::Kind::Text &&
                !node.firstChild->text.empty() && node.firstChild->text.front() == u'\n')
                changes = true;
            if (node.isHtml(Tag::plaintext) || depth + 2 >= HtmlView::kMaxDepth ||
                (node.isHtml(Tag::script) && mayEndDoubleEscaped(node)) || nestsInItsKind(node))
                changes = true;
            depth += node.kind == Node::Kind::Element;
            return !changes;
        },
        [&](const Node&) { --depth; });
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
