#include "html/Tokenizer.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "html/CharRefs.h"
#include "html/StepCount.h"

namespace harfpad::html {

namespace {

constexpr char16_t kReplacement = u'\xFFFD';

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f';
}
bool isAsciiAlpha(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
// In names, comments and values a NUL stands for U+FFFD.
char16_t nameChar(char16_t c) {
    return c == u'\0' ? kReplacement : asciiLower(c);
}
char16_t dataChar(char16_t c) {
    return c == u'\0' ? kReplacement : c;
}

std::u16string normaliseNewlines(std::u16string_view html) {
    std::u16string out;
    out.reserve(html.size());
    for (std::size_t at = 0; at < html.size();) {
        const std::size_t cr = std::min(html.find(u'\r', at), html.size());
        out.append(html, at, cr - at);
        if (cr == html.size())
            break;
        out += u'\n';
        at = cr + (cr + 1 < html.size() && html[cr + 1] == u'\n' ? 2 : 1);
    }
    return out;
}

}  // namespace

Tokenizer::Tokenizer(std::u16string_view input) : in_(normaliseNewlines(input)) {}

void Tokenizer::next(Token& token) {
    countStep();  // the loops over characters take time in proportion to the token read
    if (hasPending_) {
        std::swap(token, pending_);
        hasPending_ = false;
        return;
    }
    token.type = Token::Type::Characters;
    token.data.clear();
    switch (state_) {
        case State::PlainText:
            for (; pos_ < in_.size(); ++pos_) token.data += dataChar(in_[pos_]);
            break;
        case State::RcData:
        case State::RawText:
            textUpToEndTag(token);
            break;
        case State::ScriptData:
            scriptUpToEndTag(token);
            break;
        case State::Data:
            break;
    }
    if (!token.data.empty()) {
        token.type = Token::Type::Characters;
        return;
    }
    while (pos_ < in_.size() && state_ == State::Data) {
        const char16_t c = in_[pos_];
        if (c == u'&') {
            decodeCharRef(in_, pos_, false, token.data);
        } else if (c == u'<') {
            Token& target = token.data.empty() ? token : pending_;
            if (markup(target, token.data)) {
                hasPending_ = &target == &pending_;
                if (hasPending_)
                    token.type = Token::Type::Characters;
                return;
            }
        } else {
            const std::size_t stop = std::min(in_.find_first_of(u"<&", pos_), in_.size());
            token.data.append(in_, pos_, stop - pos_);  // NULs are left to the tree builder
            pos_ = stop;
        }
    }
    token.type = token.data.empty() ? Token::Type::EndOfFile : Token::Type::Characters;
}

bool Tokenizer::markup(Token& token, std::u16string& text) {
    const std::size_t next = pos_ + 1;
    if (next >= in_.size()) {
        text += u'<';
        pos_ = next;
        return false;
    }
    const char16_t c = in_[next];
    if (c == u'!') {
        pos_ = next + 1;
        if (in_.compare(pos_, 2, u"--") == 0) {
            pos_ += 2;
            comment(token);
            return true;
        }
        static constexpr std::u16string_view kDoctype = u"doctype";
        if (in_.size() - pos_ >= kDoctype.size() &&
            std::equal(kDoctype.begin(), kDoctype.end(), in_.begin() + pos_,
                       [](char16_t want, char16_t got) { return asciiLower(got) == want; })) {
            const std::size_t end = in_.find(u'>', pos_);  // every DOCTYPE state ends at '>'
            pos_ = end == std::u16string::npos ? in_.size() : end + 1;
            token.type = Token::Type::Doctype;
            return true;
        }
        if (cdataAllowed_ && in_.compare(pos_, 7, u"[CDATA[") == 0) {
            const std::size_t end = in_.find(u"]]>", pos_ + 7);
            const std::size_t stop = end == std::u16string::npos ? in_.size() : end;
            text.append(in_, pos_ + 7, stop - pos_ - 7);
            pos_ = end == std::u16string::npos ? in_.size() : end + 3;
            return false;
        }
        bogusComment(token);
        return true;
    }
    if (c == u'/') {
        const std::size_t after = next + 1;
        if (after >= in_.size()) {
            text += u"</";
            pos_ = after;
            return false;
        }
        if (in_[after] == u'>') {
            pos_ = after + 1;  // "</>" is dropped
            return false;
        }
        pos_ = after;
        if (isAsciiAlpha(in_[after]))
            return tag(token, true);
        bogusComment(token);
        return true;
    }
    if (isAsciiAlpha(c)) {
        pos_ = next;
        return tag(token, false);
    }
    if (c == u'?') {
        pos_ = next;  // the '?' is part of the comment
        bogusComment(token);
        return true;
    }
    text += u'<';
    pos_ = next;
    return false;
}

bool Tokenizer::tag(Token& token, bool endTag) {
    token.type = endTag ? Token::Type::EndTag : Token::Type::StartTag;
    token.name.clear();
    token.attributes.clear();
    token.selfClosing = false;
    while (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != u'/' && in_[pos_] != u'>')
        token.name += nameChar(in_[pos_++]);
    if (token.name != lastTagName_) {  // replies repeat their tags: look up new names only
        lastTagName_ = token.name;
        lastTag_ = tagOf(token.name);
    }
    token.tag = lastTag_;
    if (!attributes(token))
        return false;  // a tag cut off by the end of the input is dropped
    if (endTag) {
        token.attributes.clear();
    } else {
        dropDuplicateAttributes(token);
        lastStartTag_ = token.name;
    }
    return true;
}

bool Tokenizer::attributes(Token& token) {
    for (;;) {
        countStep();
        while (pos_ < in_.size() && isSpace(in_[pos_])) ++pos_;
        if (pos_ >= in_.size())
            return false;
        if (in_[pos_] == u'>') {
            ++pos_;
            return true;
        }
        if (in_[pos_] == u'/') {
            ++pos_;
            if (pos_ >= in_.size())
                return false;
            if (in_[pos_] == u'>') {
                token.selfClosing = true;
                ++pos_;
                return true;
            }
            continue;
        }
        Attribute attribute;
        attribute.name += nameChar(in_[pos_++]);  // may be '='
        while (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != u'/' && in_[pos_] != u'>' &&
               in_[pos_] != u'=')
            attribute.name += nameChar(in_[pos_++]);
        while (pos_ < in_.size() && isSpace(in_[pos_])) ++pos_;
        if (at(pos_, u'=')) {
            ++pos_;
            while (pos_ < in_.size() && isSpace(in_[pos_])) ++pos_;
            if (!at(pos_, u'>') && !attributeValue(attribute.value))
                return false;
        }
        token.attributes.push_back(std::move(attribute));
    }
}

bool Tokenizer::attributeValue(std::u16string& value) {
    if (pos_ >= in_.size())
        return false;
    const char16_t quote = in_[pos_];
    const bool quoted = quote == u'"' || quote == u'\'';
    if (quoted)
        ++pos_;
    while (pos_ < in_.size()) {
        const char16_t c = in_[pos_];
        if (quoted ? c == quote : (isSpace(c) || c == u'>')) {
            if (quoted)
                ++pos_;
            return true;
        }
        if (c == u'&') {
            decodeCharRef(in_, pos_, true, value);
        } else {
            value += dataChar(c);
            ++pos_;
        }
    }
    return false;
}

// Only the first attribute of each name counts. Sorting keeps this fast for tags with very
// many attributes.
void Tokenizer::dropDuplicateAttributes(Token& token) {
    auto& list = token.attributes;
    if (list.size() < 2)
        return;
    countStep(list.size());  // sorted, then passed over once or twice
    std::vector<std::size_t> order(list.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return list[a].name < list[b].name; });
    std::vector<bool> duplicate(list.size());
    bool any = false;
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (list[order[i]].name == list[order[i - 1]].name)
            any = duplicate[order[i]] = true;
    }
    if (!any)
        return;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (duplicate[i])
            continue;
        if (kept != i)
            list[kept] = std::move(list[i]);
        ++kept;
    }
    list.resize(kept);
}

// After "<!--": up to "-->" (or "--!>"), with the short forms "<!-->" and "<!--->".
void Tokenizer::comment(Token& token) {
    token.type = Token::Type::Comment;
    token.data.clear();
    if (at(pos_, u'>') || (at(pos_, u'-') && at(pos_ + 1, u'>'))) {
        pos_ += at(pos_, u'>') ? 1 : 2;
        return;
    }
    std::u16string& data = token.data;
    while (pos_ < in_.size()) {
        const char16_t c = in_[pos_++];
        if (c != u'-') {
            data += dataChar(c);
            continue;
        }
        // Comment end dash: one '-' seen.
        if (pos_ >= in_.size())
            return;
        if (in_[pos_] != u'-') {
            data += u'-';
            continue;
        }
        ++pos_;
        // Comment end: "--" seen; further dashes are content.
        for (;;) {
            if (pos_ >= in_.size())
                return;
            const char16_t e = in_[pos_];
            if (e == u'>') {
                ++pos_;
                return;
            }
            if (e == u'-') {
                data += u'-';
                ++pos_;
                continue;
            }
            if (e == u'!') {
                ++pos_;
                if (pos_ >= in_.size())
                    return;
                if (in_[pos_] == u'>') {
                    ++pos_;
                    return;
                }
                data += u"--!";
                if (in_[pos_] == u'-') {
                    ++pos_;  // back to "one '-' seen"
                    if (pos_ >= in_.size())
                        return;
                    if (in_[pos_] != u'-') {
                        data += u'-';
                        break;
                    }
                    ++pos_;
                    continue;
                }
                break;
            }
            data += u"--";
            break;
        }
    }
}

void Tokenizer::bogusComment(Token& token) {
    token.type = Token::Type::Comment;
    token.data.clear();
    const std::size_t end = std::min(in_.find(u'>', pos_), in_.size());
    for (; pos_ < end; ++pos_) token.data += dataChar(in_[pos_]);
    pos_ = std::min(end + 1, in_.size());
}

bool Tokenizer::appropriateEndTagAt(std::size_t i) const {
    if (!at(i, u'<') || !at(i + 1, u'/'))
        return false;
    std::size_t j = i + 2;
    for (const char16_t want : lastStartTag_) {
        if (j >= in_.size() || !isAsciiAlpha(in_[j]) || asciiLower(in_[j]) != want)
            return false;
        ++j;
    }
    return j < in_.size() && (isSpace(in_[j]) || in_[j] == u'/' || in_[j] == u'>');
}

// The content of <title>, <textarea> (references decoded) and the raw-text elements.
void Tokenizer::textUpToEndTag(Token& token) {
    const bool references = state_ == State::RcData;
    while (pos_ < in_.size()) {
        const char16_t c = in_[pos_];
        if (c == u'<' && appropriateEndTagAt(pos_)) {
            state_ = State::Data;
            return;
        }
        if (c == u'&' && references) {
            decodeCharRef(in_, pos_, false, token.data);
        } else {
            token.data += dataChar(c);
            ++pos_;
        }
    }
}

// Script text ends at "</script", except inside "<!--" ... "<script>" ... "-->" where a
// nested "</script>" is still text.
void Tokenizer::scriptUpToEndTag(Token& token) {
    enum class S {
        Data,
        LessThan,
        EscapeStart,
        EscapeStartDash,
        Escaped,
        EscapedDash,
        EscapedDashDash,
        EscapedLessThan,
        DoubleEscapeStart,
        DoubleEscaped,
        DoubleEscapedDash,
        DoubleEscapedDashDash,
        DoubleEscapedLessThan,
        DoubleEscapeEnd
    };
    S s = S::Data;
    std::u16string buffer;  // the name after "<" or "</" inside an escaped part
    while (pos_ < in_.size()) {
        const char16_t c = in_[pos_];
        const bool ends = isSpace(c) || c == u'/' || c == u'>';
        bool consume = true;
        switch (s) {
            case S::Data:
                if (c == u'<')
                    s = S::LessThan;
                break;
            case S::LessThan:
                if (c == u'/' && appropriateEndTagAt(pos_ - 1)) {
                    token.data.pop_back();  // the '<'
                    --pos_;
                    state_ = State::Data;
                    return;
                }
                s = c == u'!' ? S::EscapeStart : S::Data;
                consume = c == u'!' || c == u'/';
                break;
            case S::EscapeStart:
                s = c == u'-' ? S::EscapeStartDash : S::Data;
                consume = c == u'-';
                break;
            case S::EscapeStartDash:
                s = c == u'-' ? S::EscapedDashDash : S::Data;
                consume = c == u'-';
                break;
            case S::Escaped:
                if (c == u'-')
                    s = S::EscapedDash;
                else if (c == u'<')
                    s = S::EscapedLessThan;
                break;
            case S::EscapedDash:
            case S::EscapedDashDash:
                if (c == u'-')
                    s = S::EscapedDashDash;
                else if (c == u'<')
                    s = S::EscapedLessThan;
                else if (c == u'>' && s == S::EscapedDashDash)
                    s = S::Data;
                else
                    s = S::Escaped;
                break;
            case S::EscapedLessThan:
                if (c == u'/' && appropriateEndTagAt(pos_ - 1)) {
                    token.data.pop_back();
                    --pos_;
                    state_ = State::Data;
                    return;
                }
                if (isAsciiAlpha(c)) {
                    buffer.clear();
                    s = S::DoubleEscapeStart;
                } else {
                    s = S::Escaped;
                }
                consume = c == u'/';
                break;
            case S::DoubleEscapeStart:
            case S::DoubleEscapeEnd:
                if (ends) {
                    const bool script = buffer == u"script";
                    if (s == S::DoubleEscapeStart)
                        s = script ? S::DoubleEscaped : S::Escaped;
                    else
                        s = script ? S::Escaped : S::DoubleEscaped;
                } else if (isAsciiAlpha(c)) {
                    buffer += asciiLower(c);
                } else {
                    s = s == S::DoubleEscapeStart ? S::Escaped : S::DoubleEscaped;
                    consume = false;
                }
                break;
            case S::DoubleEscaped:
                if (c == u'-')
                    s = S::DoubleEscapedDash;
                else if (c == u'<')
                    s = S::DoubleEscapedLessThan;
                break;
            case S::DoubleEscapedDash:
            case S::DoubleEscapedDashDash:
                if (c == u'-')
                    s = S::DoubleEscapedDashDash;
                else if (c == u'<')
                    s = S::DoubleEscapedLessThan;
                else if (c == u'>' && s == S::DoubleEscapedDashDash)
                    s = S::Data;
                else
                    s = S::DoubleEscaped;
                break;
            case S::DoubleEscapedLessThan:
                if (c == u'/') {
                    buffer.clear();
                    s = S::DoubleEscapeEnd;
                } else {
                    s = S::DoubleEscaped;
                    consume = false;
                }
                break;
        }
        if (consume) {
            token.data += dataChar(c);
            ++pos_;
        }
    }
}

}  // namespace harfpad::html
