#include "html/Node.h"

namespace harfpad::html {

void Node::insertBefore(Node& child, Node* before) {
    child.parent = this;
    child.next = before;
    child.previous = before ? before->previous : lastChild;
    (child.previous ? child.previous->next : firstChild) = &child;
    (before ? before->previous : lastChild) = &child;
}

void Node::detach() {
    if (!parent)
        return;
    (previous ? previous->next : parent->firstChild) = next;
    (next ? next->previous : parent->lastChild) = previous;
    parent = previous = next = nullptr;
}

Document::Document() {
    clear();
}

Node& Document::create(Node::Kind kind) {
    if (chunks_.empty() || used_ == kChunk) {
        chunks_.push_back(std::make_unique<Node[]>(kChunk));
        used_ = 0;
    }
    Node& node = chunks_.back()[used_++];
    node.kind = kind;
    return node;
}

void Document::clear() {
    chunks_.clear();
    used_ = 0;
    Node& root = create(Node::Kind::Element);
    root.tag = Tag::html;  // the parser's outermost open element; written back as body
    root.text = u"body";
}

}  // namespace harfpad::html
