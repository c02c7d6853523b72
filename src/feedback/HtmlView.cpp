#include "feedback/HtmlView.h"

#include "feedback/HtmlElements.h"
#include "feedback/HtmlParser.h"

namespace harfpad::feedback {

namespace {

using Node = HtmlNode;

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

void serialiseChildren(const Node& parent, std::u16string& out) {
    const bool literalText = html::isRawText(parent.name);
    for (const auto& child : parent.children) {
        switch (child->kind) {
            case Node::Kind::Text:
                if (literalText)
                    out += child->data;
                else
                    appendEscaped(out, child->data, false);
                break;
            case Node::Kind::Comment:
                out += u"<!--";
                out += child->data;
                out += u"-->";
                break;
            case Node::Kind::Element:
                out += u'<';
                out += child->name;
                for (const auto& [name, value] : child->attributes) {
                    out += u' ';
                    out += name;
                    out += u"=\"";
                    appendEscaped(out, value, true);
                    out += u'"';
                }
                out += u'>';
                if (html::isVoid(child->name))
                    break;
                serialiseChildren(*child, out);
                out += u"</";
                out += child->name;
                out += u'>';
                break;
        }
    }
}

bool isUnseen(std::u16string_view name) {
    return name == u"script" || name == u"style" || name == u"template" || name == u"title" ||
           name == u"noframes" || name == u"iframe" || name == u"noembed";
}

bool keepsBlanks(std::u16string_view name) {
    return name == u"pre" || name == u"textarea" || name == u"listing" || name == u"plaintext" ||
           name == u"xmp";
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

void writeText(const Node& parent, TextWriter& writer, bool keepBlanks) {
    for (const auto& child : parent.children) {
        if (child->kind == Node::Kind::Text) {
            writer.text(child->data, keepBlanks);
        } else if (child->kind == Node::Kind::Element && !isUnseen(child->name)) {
            if (child->name == u"br") {
                writer.forcedBreak();
                continue;
            }
            const bool block =
                html::isBlock(child->name) || child->name == u"td" || child->name == u"th";
            if (block)
                writer.lineBreak();
            writeText(*child, writer, keepBlanks || keepsBlanks(child->name));
            if (block)
                writer.lineBreak();
        }
    }
}

}  // namespace

void HtmlView::setBodyHtml(std::u16string_view html) {
    body_.children.clear();
    parseBodyContent(html, body_, kMaxDepth);
}

std::u16string HtmlView::bodyHtml() const {
    std::u16string out;
    serialiseChildren(body_, out);
    return out;
}

std::u16string HtmlView::readableText() const {
    TextWriter writer;
    writeText(body_, writer, false);
    return writer.finish();
}

}  // namespace harfpad::feedback
