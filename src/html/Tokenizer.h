// Splits markup into tags, comments and runs of text, the way a browser's HTML tokenizer does.
// The tree builder tells it when an element's content is text up to its end tag.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "html/Node.h"

namespace harfpad::html {

struct Token {
    enum class Type { Characters, StartTag, EndTag, Comment, Doctype, EndOfFile };
    Type type = Type::EndOfFile;
    std::u16string name;                // tags: lower case
    Tag tag = Tag::other;               // tags: the number of the name
    std::vector<Attribute> attributes;  // start tags: first of each name only
    bool selfClosing = false;
    std::u16string data;  // characters and comments; character references decoded
};

class Tokenizer {
  public:
    enum class State {
        Data,
        RcData,      // <title>, <textarea>: text with references, up to the end tag
        RawText,     // <style>, <xmp>, <iframe>, <noembed>, <noframes>, <noscript>
        ScriptData,  // <script>, with the rules of "<!--" inside scripts
        PlainText,   // <plaintext>: the rest of the input is text
    };

    // Line ends are made LF first, as a browser's input stream does.
    explicit Tokenizer(std::u16string_view input);

    // Reads the next token; EndOfFile when the input is used up.
    void next(Token& token);
    // Set after a start tag: how the element's content is read.
    void switchTo(State state) { state_ = state; }
    // "<![CDATA[" is text only inside <svg> and <math>.
    void allowCdata(bool allowed) { cdataAllowed_ = allowed; }

  private:
    bool at(std::size_t i, char16_t c) const { return i < in_.size() && in_[i] == c; }
    // At '<': reads the markup into `token` (true), or adds what is text to `text` (false).
    bool markup(Token& token, std::u16string& text);
    // Read up to and including '>'; false when the input ends first.
    bool tag(Token& token, bool endTag);
    bool attributes(Token& token);
    bool attributeValue(std::u16string& value);
    void comment(Token& token);
    void bogusComment(Token& token);
    void dropDuplicateAttributes(Token& token);
    bool appropriateEndTagAt(std::size_t i) const;
    void textUpToEndTag(Token& token);
    void scriptUpToEndTag(Token& token);

    std::u16string in_;
    std::size_t pos_ = 0;
    State state_ = State::Data;
    bool cdataAllowed_ = false;
    std::u16string lastStartTag_;
    std::u16string lastTagName_;
    Tag lastTag_ = Tag::other;
    Token pending_;  // a markup token found right after a run of text
    bool hasPending_ = false;
};

}  // namespace harfpad::html
