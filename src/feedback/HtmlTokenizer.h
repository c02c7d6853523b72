// Splits markup into tags, comments and runs of text, the way a browser's HTML tokenizer does.
// The tree builder tells it when an element's content is text up to its end tag.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "feedback/HtmlNode.h"

namespace harfpad::feedback {

struct HtmlToken {
    enum class Type { Characters, StartTag, EndTag, Comment, Doctype, EndOfFile };
    Type type = Type::EndOfFile;
    std::u16string name;                    // tags: lower case
    html::Tag tag = html::Tag::other;       // tags: the number of the name
    std::vector<HtmlAttribute> attributes;  // start tags: first of each name only
    bool selfClosing = false;
    std::u16string data;  // characters and comments; character references decoded
};

class HtmlTokenizer {
  public:
    enum class State {
        Data,
        RcData,      // <title>, <textarea>: text with references, up to the end tag
        RawText,     // <style>, <xmp>, <iframe>, <noembed>, <noframes>, <noscript>
        ScriptData,  // <script>, with the rules of "<!--" inside scripts
        PlainText,   // <plaintext>: the rest of the input is text
    };

    // Line ends are made LF first, as a browser's input stream does.
    explicit HtmlTokenizer(std::u16string_view input);

    // Reads the next token; EndOfFile when the input is used up.
    void next(HtmlToken& token);
    // Set after a start tag: how the element's content is read.
    void switchTo(State state) { state_ = state; }
    // "<![CDATA[" is text only inside <svg> and <math>.
    void allowCdata(bool allowed) { cdataAllowed_ = allowed; }

  private:
    bool at(std::size_t i, char16_t c) const { return i < in_.size() && in_[i] == c; }
    // At '<': reads the markup into `token` (true), or adds what is text to `text` (false).
    bool markup(HtmlToken& token, std::u16string& text);
    // Read up to and including '>'; false when the input ends first.
    bool tag(HtmlToken& token, bool endTag);
    bool attributes(HtmlToken& token);
    bool attributeValue(std::u16string& value);
    void comment(HtmlToken& token);
    void bogusComment(HtmlToken& token);
    void dropDuplicateAttributes(HtmlToken& token);
    bool appropriateEndTagAt(std::size_t i) const;
    void textUpToEndTag(HtmlToken& token);
    void scriptUpToEndTag(HtmlToken& token);

    std::u16string in_;
    std::size_t pos_ = 0;
    State state_ = State::Data;
    bool cdataAllowed_ = false;
    std::u16string lastStartTag_;
    std::u16string lastTagName_;
    html::Tag lastTag_ = html::Tag::other;
    HtmlToken pending_;  // a markup token found right after a run of text
    bool hasPending_ = false;
};

}  // namespace harfpad::feedback
