// The tree a parse builds: elements, text and comments, linked to their parent and siblings so
// the parser can move them in constant time. Nodes live in a Document.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "html/Elements.h"
#include "html/StepCount.h"

namespace harfpad::html {

struct Attribute {
    // The namespaces of the attributes that foreign elements take from XLink and XML.
    enum class Space : std::uint8_t { None, XLink, Xml, Xmlns };

    std::u16string name;  // lower case, SVG and MathML names in their case; the local name in
                          // a namespace ("href" of "xlink:href")
    std::u16string value;
    Space space = Space::None;
    bool operator==(const Attribute&) const = default;
};

struct Node {
    enum class Kind : std::uint8_t { Element, Text, Comment };
    enum class Space : std::uint8_t { Html, Svg, MathMl };

    Kind kind = Kind::Element;
    Space space = Space::Html;
    Tag tag = Tag::other;               // elements: the number of a known name
    bool open = false;                  // on the parser's stack of open elements
    bool htmlIntegrationPoint = false;  // the parser's: HTML start tags and text inside are HTML
    std::uint32_t formattingKey =
        0;                // the parser's hash of a formatting element's name and attributes
    std::u16string text;  // elements: the name as written back; text and comments: the content
    std::vector<Attribute> attributes;
    Node* parent = nullptr;
    Node* firstChild = nullptr;
    Node* lastChild = nullptr;
    Node* previous = nullptr;
    Node* next = nullptr;

    bool isHtml(Tag t) const { return kind == Kind::Element && space == Space::Html && tag == t; }
    bool isHtmlIn(Group group) const {
        return kind == Kind::Element && space == Space::Html && in(tag, group);
    }
    // Inserts `child` (not in a tree) before `before`, or at the end when that is null.
    void insertBefore(Node& child, Node* before);
    void append(Node& child) { insertBefore(child, nullptr); }
    // Takes this node out of its parent.
    void detach();
};

// Walks the tree below `root` in document order without recursion (its depth is not bounded by
// the parser's stack, as moved nodes can end up deeper). `enter` sees every node and returns
// whether to visit its children; `leave` sees every element once its children are done.
template <typename Enter, typename Leave>
void walkTree(const Node& root, Enter enter, Leave leave) {
    const Node* node = root.firstChild;
    while (node) {
        countStep();
        if (enter(*node) && node->firstChild) {
            node = node->firstChild;
            continue;
        }
        if (node->kind == Node::Kind::Element)
            leave(*node);
        while (!node->next) {
            countStep();
            node = node->parent;
            if (node == &root)
                return;
            leave(*node);
        }
        node = node->next;
    }
}

// Owns the nodes of one tree; the first is the root, which stands for the document's body.
class Document {
  public:
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Node& root() { return chunks_.front()[0]; }
    const Node& root() const { return chunks_.front()[0]; }
    Node& create(Node::Kind kind);
    std::size_t size() const { return (chunks_.size() - 1) * kChunk + used_; }
    void clear();

  private:
    // Nodes are made in blocks, which keeps their addresses fixed and the allocations few;
    // nothing is freed before clear().
    static constexpr std::size_t kChunk = 1024;
    std::vector<std::unique_ptr<Node[]>> chunks_;
    std::size_t used_ = 0;  // of the last block
};

}  // namespace harfpad::html
