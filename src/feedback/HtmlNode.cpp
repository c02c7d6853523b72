#include "feedback/HtmlNode.h"

namespace harfpad::feedback {

void HtmlNode::insertBefore(HtmlNode& child, HtmlNode* before) {
    child.parent = this;
    child.next = before;
    child.previous = before ? before->previous : lastChild;
    (child.previous ? child.previous->next : firstChild) = &child;
    (before ? before->previous : lastChild) = &child;
}

void HtmlNode::detach() {
    if (!parent)
        return;
    (previous ? previous->next : parent->firstChild) = next;
    (next ? next->previous : parent->lastChild) = previous;
    parent = previous = next = nullptr;
}

HtmlDocument::HtmlDocument() {
    clear();
}

HtmlNode& HtmlDocument::create(HtmlNode::Kind kind) {
    if (chunks_.empty() || used_ == kChunk) {
        chunks_.push_back(std::make_unique<HtmlNode[]>(kChunk));
        used_ = 0;
    }
    HtmlNode& node = chunks_.back()[used_++];
    node.kind = kind;
    return node;
}

void HtmlDocument::clear() {
    chunks_.clear();
    used_ = 0;
    HtmlNode& root = create(HtmlNode::Kind::Element);
    root.tag = html::Tag::html;  // the parser's outermost open element; written back as body
    root.text = u"body";
}

}  // namespace harfpad::feedback
