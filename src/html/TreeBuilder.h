// Builds the tree of a body's content from tokens, as a browser's "in body" parsing does:
// implied end tags, the adoption agency for formatting elements, tables with foster parenting,
// select, template and SVG or MathML content. Bounded: a nesting depth and a number of nodes.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "html/Node.h"
#include "html/OpenElements.h"
#include "html/Parser.h"
#include "html/Tokenizer.h"

namespace harfpad::html {

class TreeBuilder {
  public:
    TreeBuilder(Document& document, Tokenizer& tokenizer, Limits limits);
    void run();

  private:
    enum class Mode {
        InBody,
        Text,
        InTable,
        InTableText,
        InCaption,
        InColumnGroup,
        InTableBody,
        InRow,
        InCell,
        InSelect,
        InSelectInTable,
        InTemplate
    };
    using Scope = OpenElements::Scope;
    struct Place {
        Node* parent;
        Node* before;  // null: at the end
    };

    // Dispatch
    void process(Token& token);
    void processIn(Mode mode, Token& token);
    bool inForeignContent(const Token& token) const;

    // Insertion modes (TreeBuilder.cpp: body, head, text, foreign content;
    // TreeBuilderTables.cpp: tables, select, template)
    void inBody(Token& token);
    void inBodyStartTag(Token& token);
    void inBodyEndTag(Token& token);
    void inBodyCharacters(std::u16string_view text);
    void anyOtherEndTag(const Token& token);
    void adoptionAgency(const Token& token);
    void inHead(Token& token);
    void inText(Token& token);
    void inForeign(Token& token);
    void inTable(Token& token);
    void anythingElseInTable(Token& token);
    void inTableText(Token& token);
    void inCaption(Token& token);
    void inColumnGroup(Token& token);
    void inTableBody(Token& token);
    void inRow(Token& token);
    void inCell(Token& token);
    void inSelect(Token& token);
    void inSelectInTable(Token& token);
    void inTemplate(Token& token);

    // The stack of open elements
    Node& current() const { return open_.current(); }
    bool push(Node& node);
    void pop();
    void removeFromStack(std::size_t index);
    void popUntil(Tag tag);
    void popUntilNode(const Node& node);
    void popUntilOneOf(std::initializer_list<Tag> tags);
    bool inScope(Tag tag, Scope scope) const { return open_.inScope(tag, scope); }
    bool templateOpen() const { return open_.contains(Tag::template_); }
    void generateImpliedEndTags(std::u16string_view except = {});
    void generateImpliedEndTagsThoroughly();
    void closeParagraph();
    void closeParagraphInButtonScope();
    void clearBackTo(std::initializer_list<Tag> context);
    void resetInsertionMode();
    void closeCell();

    // Active formatting elements; null entries are markers.
    void pushFormatting(Node& node);
    void insertMarker();
    void clearToLastMarker();
    void reconstructFormatting();
    std::size_t formattingIndexOf(const Node* node) const;

    // Creating and inserting nodes
    Place appropriatePlace(Node* overrideTarget = nullptr);
    Node& createElement(const Token& token, Node::Space space);
    Node* cloneElement(const Node& node);
    Node& insertElement(const Token& token, Node::Space space = Node::Space::Html);
    Node& insertElement(Tag tag, std::u16string_view name);
    void insertVoid(const Token& token);
    void insertForeign(Token& token, Node::Space space);
    void insertCharacters(std::u16string_view text);
    void insertComment(const std::u16string& data);
    void rawText(const Token& token, Tokenizer::State state);
    bool spent() const { return units_ >= limits_.maxNodes; }

    Document& document_;
    Tokenizer& tokenizer_;
    Limits limits_;
    OpenElements open_;
    std::vector<Node*> formatting_;
    std::vector<Mode> templateModes_;
    Mode mode_ = Mode::InBody;
    Mode originalMode_ = Mode::InBody;
    Node* form_ = nullptr;
    Node* textTarget_ = nullptr;  // the element whose text the Text mode collects
    std::size_t units_ = 0;
    std::size_t clones_ = 0;
    std::size_t clonedCharacters_ = 0;  // names and attributes the clones copied
    std::size_t reprocessing_ = 0;
    bool fosterParenting_ = false;
    bool skipNewline_ = false;  // right after <pre>, <listing>, <textarea>
    std::u16string pendingTableText_;
};

}  // namespace harfpad::html
