#include "feedback/HtmlView.h"

#include "feedback/HtmlElements.h"
#include "feedback/HtmlParser.h"

namespace harfpad::feedback {

namespace {

using Node = HtmlNode;
using html::Group;
using html::Tag;

void appendEscaped(std::u16string& out, std::u16string_view text, bool inAttribute) {
    for (const char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'\xA0':
                out += u"&nbsp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                if (inAttribute) {
                    out += u"&quot;";
                    break;
                }
                [[fallthrough]];
            default:
                out += c;
        }
    }
}

void openTag(const Node& element, std::u16string& out) {
    out += u'<';
    out += element.text;
    for (const auto& [name, value] : element.attributes) {
        out += u' ';
        out += name;
        out += u"=\"";
        appendEscaped(out, value, true);
        out += u'"';
    }
    out += u'>';
}

void closeTag(const Node& element, std::u16string& out) {
    out += u"</";
    out += element.text;
    out += u'>';
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

void HtmlView::setBodyHtml(std::u16string_view html) {
    if (html.size() > kMaxReplyLength) {
        std::size_t keep = kMaxReplyLength;
        if (html[keep - 1] >= 0xD800 && html[keep - 1] <= 0xDBFF)
            --keep;  // not half a character
        html = html.substr(0, keep);
    }
    parseBodyContent(html, document_, {kMaxDepth, kMaxNodes});
}

std::u16string HtmlView::bodyHtml() const {
    std::u16string out;
    walkTree(
        document_.root(),
        [&](const Node& node) {
            switch (node.kind) {
                case Node::Kind::Element:
                    openTag(node, out);
                    if (node.isHtmlIn(Group::voidElement))
                        return false;
                    if (!node.firstChild)
                        closeTag(node, out);
                    return true;
                case Node::Kind::Text:
                    if (node.parent->isHtmlIn(Group::rawText))
                        out += node.text;
                    else
                        appendEscaped(out, node.text, false);
                    return false;
                case Node::Kind::Comment:
                    out += u"<!--";
                    out += node.text;
                    out += u"-->";
                    return false;
            }
            return false;
        },
        [&](const Node& element) {
            if (element.firstChild && !element.isHtmlIn(Group::voidElement))
                closeTag(element, out);
        });
    return out;
}

std::u16string HtmlView::readableText() const {
    TextWriter writer;
    std::size_t preformatted = 0;
    walkTree(
        document_.root(),
        [&](const Node& node) {
            if (node.kind == Node::Kind::Text)
                writer.text(node.text, preformatted > 0);
            if (node.kind != Node::Kind::Element)
                return false;
            if (node.isHtml(Tag::br))
                writer.forcedBreak();
            if (node.isHtmlIn(Group::block))
                writer.lineBreak();
            if (keepsBlanks(node))
                ++preformatted;
            return !isUnseen(node);
        },
        [&](const Node& element) {
            if (element.isHtmlIn(Group::block))
                writer.lineBreak();
            if (keepsBlanks(element))
                --preformatted;
        });
    return writer.finish();
}

}  // namespace harfpad::feedback
