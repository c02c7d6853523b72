#include "html/OpenElements.h"

#include <algorithm>
#include <initializer_list>

#include "html/StepCount.h"

namespace harfpad::html {

namespace {

using Space = Node::Space;
using Scope = OpenElements::Scope;

bool oneOf(Tag tag, std::initializer_list<Tag> tags) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

// MathML and SVG elements that hold text or HTML bound scopes too.
bool isForeignBoundary(const Node& node) {
    return (node.space == Space::MathMl && oneOf(node.tag, {Tag::mi, Tag::mo, Tag::mn, Tag::ms,
                                                            Tag::mtext, Tag::annotation_xml})) ||
           (node.space == Space::Svg &&
            oneOf(node.tag, {Tag::foreignobject, Tag::desc, Tag::title}));
}

bool indexed(const Node& node) {
    return node.space == Space::Html && node.tag != Tag::other;
}

std::size_t slot(Tag tag) {
    return static_cast<std::size_t>(tag);
}

}  // namespace

bool OpenElements::isSpecial(const Node& node) {
    return node.isHtmlIn(Group::special) || isForeignBoundary(node);
}

bool OpenElements::boundsScope(const Node& node) {
    return node.isHtmlIn(Group::scopeBoundary) || isForeignBoundary(node);
}

OpenElements::OpenElements(Node& root) {
    topmost_.fill(npos);
    nodes_.push_back(&root);
    index(0);
}

void OpenElements::push(Node& node) {
    nodes_.push_back(&node);
    index(nodes_.size() - 1);
}

void OpenElements::pop() {
    if (nodes_.size() > 1)
        removeAt(nodes_.size() - 1);
}

void OpenElements::removeAt(std::size_t at) {
    if (at == 0 || at >= nodes_.size())
        return;
    unindex(at);
    nodes_.erase(nodes_.begin() + static_cast<std::ptrdiff_t>(at));
    index(at);
}

void OpenElements::insertAt(std::size_t at, Node& node) {
    unindex(at);
    nodes_.insert(nodes_.begin() + static_cast<std::ptrdiff_t>(at), &node);
    index(at);
}

void OpenElements::replaceAt(std::size_t at, Node& node) {
    nodes_[at] = &node;  // same name, same place: the index stays right
}

std::size_t OpenElements::indexOf(const Node& node) const {
    if (indexed(node)) {
        for (std::size_t i = topmost_[slot(node.tag)]; i != npos; i = entries_[i].sameTagBelow) {
            countStep();
            if (nodes_[i] == &node)
                return i;
        }
        return npos;
    }
    const auto found = std::find(nodes_.rbegin(), nodes_.rend(), &node);
    countStep(static_cast<std::size_t>(found - nodes_.rbegin()));
    return found == nodes_.rend() ? npos : static_cast<std::size_t>(nodes_.rend() - found - 1);
}

std::size_t OpenElements::topmost(Tag tag) const {
    return topmost_[slot(tag)];
}

bool OpenElements::inScope(Tag tag, Scope scope) const {
    const std::size_t at = topmost(tag);
    return at != npos && inScopeAt(at, scope);
}

bool OpenElements::inScopeAt(std::size_t at, Scope scope) const {
    return at >= entries_.back().boundary[static_cast<std::size_t>(scope)];
}

// Forgets the entries from `from` up, as if those elements were popped.
void OpenElements::unindex(std::size_t from) {
    for (std::size_t i = entries_.size(); i-- > from;) {
        countStep();
        if (indexed(*nodes_[i]))
            topmost_[slot(nodes_[i]->tag)] = entries_[i].sameTagBelow;
    }
    entries_.resize(std::min(from, entries_.size()));
}

// Builds the entries from `from` up, as if those elements were pushed in order.
void OpenElements::index(std::size_t from) {
    for (std::size_t i = from; i < nodes_.size(); ++i) {
        countStep();
        const Node& node = *nodes_[i];
        const Tag tag = node.tag;
        const bool html = node.space == Space::Html;
        Entry entry = i > 0 ? entries_[i - 1] : Entry{npos, {}, 0, 0};
        entry.sameTagBelow = npos;
        if (indexed(node)) {
            entry.sameTagBelow = topmost_[slot(tag)];
            topmost_[slot(tag)] = i;
        }
        const bool root = i == 0;
        const bool foreignBoundary = !html && isForeignBoundary(node);
        const bool boundary = root || boundsScope(node);
        const auto mark = [&](Scope scope, bool is) {
            if (is)
                entry.boundary[static_cast<std::size_t>(scope)] = i;
        };
        mark(Scope::Default, boundary);
        mark(Scope::ListItem, boundary || (html && (tag == Tag::ol || tag == Tag::ul)));
        mark(Scope::Button, boundary || (html && tag == Tag::button));
        mark(Scope::Table,
             root || (html && (tag == Tag::html || tag == Tag::table || tag == Tag::template_)));
        mark(Scope::Select, root || !html || (tag != Tag::optgroup && tag != Tag::option));
        if (root || foreignBoundary || (html && in(tag, Group::special))) {
            entry.lastSpecial = i;
            if (!html || !oneOf(tag, {Tag::address, Tag::div, Tag::p, Tag::li, Tag::dd, Tag::dt}))
                entry.lastListStop = i;
        }
        entries_.push_back(entry);
    }
}

}  // namespace harfpad::html
