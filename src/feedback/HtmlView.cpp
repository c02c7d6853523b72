#include "feedback/HtmlView.h"

#include <bitset>

#include "html/Elements.h"
#include "html/Parser.h"
#include "html/Serializer.h"

namespace harfpad::feedback {

namespace {

using html::Group;
using html::Node;
using html::Tag;

// The elements a reader sees on lines of their own.
const auto kLineElements = [] {
    using enum Tag;
    std::bitset<html::kTagCount> lines;
    for (const Tag tag :
         {address, article,  aside,  blockquote, center,     details, dialog,    dir,   div,
          dl,      dd,       dt,     fieldset,   figcaption, figure,  footer,    form,  header,
          hgroup,  h1,       h2,     h3,         h4,         h5,      h6,        hr,    li,
          listing, main,     menu,   nav,        ol,         p,       plaintext, pre,   search,
          section, summary,  table,  tr,         td,         th,      caption,   tbody, thead,
          tfoot,   textarea, select, option,     ul,         xmp})
        lines.set(static_cast<std::size_t>(tag));
    return lines;
}();

bool startsLine(const Node& element) {
    return element.space == Node::Space::Html &&
           kLineElements.test(static_cast<std::size_t>(element.tag));
}

bool isUnseen(const Node& element) {
    return element.space == Node::Space::Html &&
           (html::in(element.tag, Group::rawText) || element.tag == Tag::template_ ||
            element.tag == Tag::title || element.tag == Tag::textarea);
}

bool keepsBlanks(const Node& element) {
    return element.isHtml(Tag::pre) || element.isHtml(Tag::listing) ||
           element.isHtml(Tag::plaintext) || element.isHtml(Tag::xmp);
}

class TextWriter {
  public:
    void lineBreak() {
        while (!out_.empty() && out_.back() == u' ') out_.pop_back();
        if (!out_.empty() && out_.back() != u'\n')
            out_ += u'\n';
    }
    void forcedBreak() {
        while (!out_.empty() && out_.back() == u' ') out_.pop_back();
        out_ += u'\n';
    }
    void text(std::u16string_view text, bool keepBlanks) {
        for (const char16_t c : text) {
            const bool blank = c == u' ' || c == u'\t' || c == u'\n' || c == u'\f';
            if (keepBlanks) {
                out_ += c;
            } else if (!blank) {
                out_ += c == u'\xA0' ? u' ' : c;
            } else if (!out_.empty() && out_.back() != u' ' && out_.back() != u'\n') {
                out_ += u' ';
            }
        }
    }
    std::u16string finish() {
        lineBreak();
        while (!out_.empty() && out_.back() == u'\n') out_.pop_back();
        return std::move(out_);
    }

  private:
    std::u16string out_;
};

}  // namespace

void HtmlView::setBodyHtml(std::u16string_view markup) {
    if (markup.size() > kMaxReplyLength) {
        std::size_t keep = kMaxReplyLength;
        if (markup[keep - 1] >= 0xD800 && markup[keep - 1] <= 0xDBFF)
            --keep;  // not half a character
        markup = markup.substr(0, keep);
    }
    html::parseBodyContent(markup, document_, {kMaxDepth, kMaxNodes});
}

std::u16string HtmlView::bodyHtml() const {
    return html::serialize(document_.root());
}

std::u16string HtmlView::readableText() const {
    TextWriter writer;
    std::size_t preformatted = 0;
    html::walkTree(
        document_.root(),
        [&](const Node& node) {
            if (node.kind == Node::Kind::Text)
                writer.text(node.text, preformatted > 0);
            if (node.kind != Node::Kind::Element)
                return false;
            if (node.isHtml(Tag::br))
                writer.forcedBreak();
            if (startsLine(node))
                writer.lineBreak();
            if (keepsBlanks(node))
                ++preformatted;
            return !isUnseen(node);
        },
        [&](const Node& element) {
            if (startsLine(element))
                writer.lineBreak();
            if (keepsBlanks(element))
                --preformatted;
        });
    return writer.finish();
}

}  // namespace harfpad::feedback
