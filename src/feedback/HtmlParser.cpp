#include "feedback/HtmlParser.h"

#include <algorithm>
#include <optional>

#include "feedback/HtmlCharRefs.h"
#include "feedback/HtmlElements.h"

namespace harfpad::feedback {

namespace {

using Node = HtmlNode;

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f';
}
bool isAsciiAlpha(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
char16_t lower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

// CR LF and lone CR become LF, as the input stream of a browser's parser does.
std::u16string normaliseNewlines(std::u16string_view html) {
    std::u16string out;
    out.reserve(html.size());
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == u'\r') {
            out += u'\n';
            if (i + 1 < html.size() && html[i + 1] == u'\n')
                ++i;
        } else {
            out += html[i];
        }
    }
    return out;
}

struct Tag {
    std::u16string name;
    std::vector<std::pair<std::u16string, std::u16string>> attributes;
    bool selfClosing = false;
};

class Parser {
  public:
    Parser(std::u16string_view html, Node& body, std::size_t maxDepth)
        : in_(normaliseNewlines(html)), maxDepth_(maxDepth) {
        open_.push_back(&body);
    }

    void run() {
        while (pos_ < in_.size()) {
            const char16_t c = in_[pos_];
            if (c == u'<') {
                markup();
            } else if (c == u'&') {
                std::u16string decoded;
                decodeCharRef(in_, pos_, false, decoded);
                appendText(decoded);
            } else {
                const std::size_t end = in_.find_first_of(u"<&", pos_);
                const std::size_t stop = end == std::u16string::npos ? in_.size() : end;
                std::u16string run = in_.substr(pos_, stop - pos_);
                std::erase(run, u'\0');  // dropped in body content
                appendText(run);
                pos_ = stop;
            }
        }
    }

  private:
    Node& current() { return *open_.back(); }

    void appendText(std::u16string_view text) {
        if (text.empty())
            return;
        Node& parent = current();
        if (!parent.children.empty() && parent.children.back()->kind == Node::Kind::Text) {
            parent.children.back()->data += text;
            return;
        }
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Text;
        node->data = text;
        parent.children.push_back(std::move(node));
    }

    void appendComment(std::u16string data) {
        std::replace(data.begin(), data.end(), u'\0', u'\xFFFD');
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Comment;
        node->data = std::move(data);
        current().children.push_back(std::move(node));
    }

    // Inserts an element into the current node; pushes it unless it is void or too deep.
    Node& insertElement(Tag tag, bool push) {
        auto node = std::make_unique<Node>();
        node->name = std::move(tag.name);
        node->attributes = std::move(tag.attributes);
        Node& inserted = *node;
        current().children.push_back(std::move(node));
        if (push && open_.size() < maxDepth_)
            open_.push_back(&inserted);
        return inserted;
    }

    bool startsWithNoCase(std::size_t at, std::u16string_view word) const {
        if (at + word.size() > in_.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (lower(in_[at + i]) != word[i])
                return false;
        }
        return true;
    }

    void markup() {
        const std::size_t next = pos_ + 1;
        const char16_t c = next < in_.size() ? in_[next] : u'\0';
        if (next >= in_.size()) {
            appendText(u"<");
            pos_ = next;
        } else if (c == u'!') {
            declaration();
        } else if (c == u'?') {
            bogusComment(next);
        } else if (c == u'/') {
            closingMarkup();
        } else if (isAsciiAlpha(c)) {
            pos_ = next;
            if (auto tag = readTag())
                startTag(std::move(*tag));
        } else {
            appendText(u"<");
            pos_ = next;
        }
    }

    // "<!--...-->", "<!DOCTYPE ...>" or a bogus comment.
    void declaration() {
        if (in_.compare(pos_, 4, u"<!--") == 0) {
            const std::size_t start = pos_ + 4;
            for (const std::u16string_view abrupt : {u">", u"->"}) {
                if (in_.compare(start, abrupt.size(), abrupt) == 0) {
                    appendComment(u"");
                    pos_ = start + abrupt.size();
                    return;
                }
            }
            std::size_t end = start;
            std::size_t closeLength = 0;
            for (; end < in_.size(); ++end) {
                if (in_.compare(end, 3, u"-->") == 0) {
                    closeLength = 3;
                    break;
                }
                if (in_.compare(end, 4, u"--!>") == 0) {
                    closeLength = 4;
                    break;
                }
            }
            appendComment(in_.substr(start, end - start));
            pos_ = std::min(in_.size(), end + closeLength);
            return;
        }
        if (startsWithNoCase(pos_ + 2, u"doctype")) {
            const std::size_t end = in_.find(u'>', pos_);
            pos_ = end == std::u16string::npos ? in_.size() : end + 1;  // ignored in a body
            return;
        }
        bogusComment(pos_ + 2);
    }

    // Everything from `start` up to the next '>' becomes a comment.
    void bogusComment(std::size_t start) {
        const std::size_t end = in_.find(u'>', start);
        const std::size_t stop = end == std::u16string::npos ? in_.size() : end;
        appendComment(in_.substr(start, stop - start));
        pos_ = end == std::u16string::npos ? in_.size() : end + 1;
    }

    void closingMarkup() {
        const std::size_t after = pos_ + 2;
        if (after >= in_.size()) {
            appendText(u"</");
            pos_ = in_.size();
        } else if (in_[after] == u'>') {
            pos_ = after + 1;  // "</>" is dropped
        } else if (isAsciiAlpha(in_[after])) {
            pos_ = after;
            if (auto tag = readTag())
                endTag(tag->name);
        } else {
            bogusComment(after);
        }
    }

    // Reads a tag name and its attributes up to '>'; nullopt when the input ends first.
    std::optional<Tag> readTag() {
        Tag tag;
        while (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != u'/' && in_[pos_] != u'>') {
            tag.name += in_[pos_] == u'\0' ? u'\xFFFD' : lower(in_[pos_]);
            ++pos_;
        }
        while (pos_ < in_.size()) {
            const char16_t c = in_[pos_];
            if (isSpace(c)) {
                ++pos_;
            } else if (c == u'>') {
                ++pos_;
                return tag;
            } else if (c == u'/') {
                ++pos_;
                tag.selfClosing = pos_ < in_.size() && in_[pos_] == u'>';
            } else {
                readAttribute(tag);
            }
        }
        return std::nullopt;
    }

    void readAttribute(Tag& tag) {
        std::u16string name;
        name += lower(in_[pos_] == u'\0' ? u'\xFFFD' : in_[pos_]);  // may be '='
        ++pos_;
        while (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != u'/' && in_[pos_] != u'>' &&
               in_[pos_] != u'=') {
            name += in_[pos_] == u'\0' ? u'\xFFFD' : lower(in_[pos_]);
            ++pos_;
        }
        std::size_t look = pos_;
        while (look < in_.size() && isSpace(in_[look])) ++look;
        std::u16string value;
        if (look < in_.size() && in_[look] == u'=') {
            pos_ = look + 1;
            while (pos_ < in_.size() && isSpace(in_[pos_])) ++pos_;
            value = readAttributeValue();
        } else {
            pos_ = look;
        }
        const bool duplicate =
            std::any_of(tag.attributes.begin(), tag.attributes.end(),
                        [&](const auto& attribute) { return attribute.first == name; });
        if (!duplicate)
            tag.attributes.emplace_back(std::move(name), std::move(value));
    }

    std::u16string readAttributeValue() {
        std::u16string value;
        if (pos_ >= in_.size())
            return value;
        const char16_t quote = in_[pos_];
        const bool quoted = quote == u'"' || quote == u'\'';
        if (quoted)
            ++pos_;
        while (pos_ < in_.size()) {
            const char16_t c = in_[pos_];
            if (quoted ? c == quote : (isSpace(c) || c == u'>')) {
                if (quoted)
                    ++pos_;
                break;
            }
            if (c == u'&') {
                decodeCharRef(in_, pos_, true, value);
                continue;
            }
            value += c == u'\0' ? u'\xFFFD' : c;
            ++pos_;
        }
        return value;
    }

    bool inStack(std::u16string_view name,
                 std::initializer_list<std::u16string_view> barriers) const {
        for (std::size_t i = open_.size(); i-- > 1;) {
            if (open_[i]->name == name)
                return true;
            if (std::find(barriers.begin(), barriers.end(), open_[i]->name) != barriers.end())
                return false;
        }
        return false;
    }

    // Pops open elements up to and including the topmost one named `name`.
    void popThrough(std::u16string_view name) {
        while (open_.size() > 1) {
            const bool match = open_.back()->name == name;
            open_.pop_back();
            if (match)
                return;
        }
    }

    void closeParagraph() {
        if (inStack(u"p", {u"button", u"table", u"td", u"th", u"html", u"marquee", u"object",
                           u"applet", u"caption", u"template"})) {
            popThrough(u"p");
        }
    }

    // <li>, <dd> and <dt> end an open item of their own list.
    void closeListItem(std::initializer_list<std::u16string_view> items) {
        for (std::size_t i = open_.size(); i-- > 1;) {
            const std::u16string& name = open_[i]->name;
            if (std::find(items.begin(), items.end(), name) != items.end()) {
                open_.resize(i);
                return;
            }
            if (html::isSpecial(name) && name != u"address" && name != u"div" && name != u"p")
                return;
        }
    }

    void startTag(Tag tag) {
        const std::u16string name = tag.name;
        if (name == u"html" || name == u"body" || name == u"head" || name == u"frameset")
            return;  // a body's content cannot restart the document
        if (name == u"li") {
            closeListItem({u"li"});
        } else if (name == u"dd" || name == u"dt") {
            closeListItem({u"dd", u"dt"});
        } else if (name == u"a" && inStack(u"a", {u"table", u"td", u"th"})) {
            popThrough(u"a");  // links do not nest
        } else if (name == u"button" && inStack(u"button", {})) {
            popThrough(u"button");
        } else if (name == u"option" && current().name == u"option") {
            open_.pop_back();
        }
        if (tableStart(tag))
            return;
        if (html::closesParagraph(name))
            closeParagraph();
        if (html::isHeading(name) && html::isHeading(current().name))
            open_.pop_back();

        if (name == u"image")
            tag.name = u"img";
        if (html::isVoid(tag.name)) {
            insertElement(std::move(tag), false);
            return;
        }
        if (html::isRawText(name) || html::isEscapableRawText(name)) {
            rawTextContent(insertElement(std::move(tag), false), name);
            return;
        }
        insertElement(std::move(tag), true);
        if (name == u"pre" || name == u"listing") {
            if (pos_ < in_.size() && in_[pos_] == u'\n')
                ++pos_;  // the line break right after the start tag is not content
        }
    }

    // Table parts: outside a table they are dropped, inside one they imply their rows.
    // True when the tag was dealt with.
    bool tableStart(Tag& tag) {
        const std::u16string& name = tag.name;
        const bool cell = name == u"td" || name == u"th";
        const bool row = name == u"tr";
        const bool section = name == u"tbody" || name == u"thead" || name == u"tfoot";
        const bool other =
            name == u"caption" || name == u"col" || name == u"colgroup" || name == u"frame";
        if (!cell && !row && !section && !other)
            return false;
        if (name == u"frame" || !inStack(u"table", {}))
            return true;
        auto closeTo = [&](std::initializer_list<std::u16string_view> keep) {
            while (open_.size() > 1 &&
                   std::find(keep.begin(), keep.end(), current().name) == keep.end())
                open_.pop_back();
        };
        if (section || other) {
            closeTo({u"table"});
        } else if (row) {
            closeTo({u"table", u"tbody", u"thead", u"tfoot"});
            if (current().name == u"table")
                insertElement({u"tbody", {}, false}, true);
        } else {
            closeTo({u"table", u"tbody", u"thead", u"tfoot", u"tr"});
            if (current().name == u"table")
                insertElement({u"tbody", {}, false}, true);
            if (current().name != u"tr")
                insertElement({u"tr", {}, false}, true);
        }
        insertElement(std::move(tag), name != u"col");
        return true;
    }

    // The text of a raw-text element runs up to its own end tag (or the end of the input).
    void rawTextContent(Node& element, const std::u16string& name) {
        if (name == u"textarea" && pos_ < in_.size() && in_[pos_] == u'\n')
            ++pos_;
        std::size_t end = in_.size();
        if (name != u"plaintext") {
            for (std::size_t at = in_.find(u"</", pos_); at != std::u16string::npos;
                 at = in_.find(u"</", at + 1)) {
                const std::size_t after = at + 2 + name.size();
                if (startsWithNoCase(at + 2, name) && (after >= in_.size() || isSpace(in_[after]) ||
                                                       in_[after] == u'/' || in_[after] == u'>')) {
                    end = at;
                    break;
                }
            }
        }
        const std::u16string_view raw = std::u16string_view(in_).substr(pos_, end - pos_);
        std::u16string text;
        if (html::isEscapableRawText(name)) {
            for (std::size_t i = 0; i < raw.size();) {
                if (raw[i] == u'&') {
                    decodeCharRef(raw, i, false, text);
                } else {
                    text += raw[i] == u'\0' ? u'\xFFFD' : raw[i];
                    ++i;
                }
            }
        } else {
            text = raw;
            std::replace(text.begin(), text.end(), u'\0', u'\xFFFD');
        }
        if (!text.empty()) {
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Text;
            node->data = std::move(text);
            element.children.push_back(std::move(node));
        }
        pos_ = end;
        if (end < in_.size()) {
            pos_ = end + 2;
            readTag();  // the end tag itself
        }
    }

    void endTag(const std::u16string& name) {
        if (name == u"br") {
            insertElement({u"br", {}, false}, false);
            return;
        }
        if (name == u"p" && !inStack(u"p", {u"button", u"table", u"td", u"th", u"html", u"marquee",
                                            u"object", u"applet", u"caption", u"template"})) {
            insertElement({u"p", {}, false}, false);
            return;
        }
        if (name == u"body" || name == u"html")
            return;
        for (std::size_t i = open_.size(); i-- > 1;) {
            const std::u16string& open = open_[i]->name;
            if (open == name || (html::isHeading(name) && html::isHeading(open))) {
                open_.resize(i);
                return;
            }
            if (html::isSpecial(open))
                return;  // an end tag does not close past this
        }
    }

    std::u16string in_;
    std::size_t pos_ = 0;
    std::size_t maxDepth_;
    std::vector<Node*> open_;
};

}  // namespace

void parseBodyContent(std::u16string_view html, HtmlNode& body, std::size_t maxDepth) {
    Parser(html, body, maxDepth).run();
}

}  // namespace harfpad::feedback
