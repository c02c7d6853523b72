// The parser's stack of open elements, indexed so that "is there a <p> in button scope?" and
// the like take constant time however deep the stack is.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "html/Elements.h"
#include "html/Node.h"

namespace harfpad::html {

class OpenElements {
  public:
    enum class Scope { Default, ListItem, Button, Table, Select };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // The root stays at the bottom of the stack; it counts as an <html> element.
    explicit OpenElements(Node& root);

    std::size_t size() const { return nodes_.size(); }
    Node& operator[](std::size_t i) const { return *nodes_[i]; }
    Node& current() const { return *nodes_.back(); }

    void push(Node& node);
    void pop();  // not the root
    void removeAt(std::size_t index);
    void insertAt(std::size_t index, Node& node);
    // Puts `node` where an element of the same name is.
    void replaceAt(std::size_t index, Node& node);

    std::size_t indexOf(const Node& node) const;  // npos when not open
    std::size_t topmost(Tag tag) const;           // the innermost HTML element; npos
    bool contains(Tag tag) const { return topmost(tag) != npos; }
    bool inScope(Tag tag, Scope scope) const;
    bool inScopeAt(std::size_t index, Scope scope) const;
    // The innermost element an unmatched end tag does not close past.
    std::size_t lastSpecial() const { return entries_.back().lastSpecial; }
    // The innermost special element other than address, div, p, li, dd and dt.
    std::size_t lastListStop() const { return entries_.back().lastListStop; }

    static bool isSpecial(const Node& node);
    // Where "in scope" stops looking; the list item, button and other scopes stop at more.
    static bool boundsScope(const Node& node);

  private:
    struct Entry {
        std::size_t sameTagBelow;  // the next element with this HTML name further out; npos
        std::array<std::size_t, 5> boundary;  // the innermost scope boundary of each kind
        std::size_t lastSpecial;
        std::size_t lastListStop;
    };
    void index(std::size_t from);
    void unindex(std::size_t from);

    std::vector<Node*> nodes_;
    std::vector<Entry> entries_;
    std::array<std::size_t, kTagCount> topmost_;
};

}  // namespace harfpad::html
