// The tree builder's open elements, active formatting elements and the insertion of nodes.
#include "html/TreeBuilder.h"

#include "html/Foreign.h"
#include "html/TreeBuilderShared.h"

namespace harfpad::html {

using namespace tree;

bool TreeBuilder::push(Node& node) {
    if (open_.size() >= limits_.maxDepth)
        return false;
    open_.push(node);
    node.open = true;
    return true;
}

void TreeBuilder::pop() {
    removeFromStack(open_.size() - 1);
}

void TreeBuilder::removeFromStack(std::size_t index) {
    if (index == 0 || index >= open_.size())
        return;  // the root stays
    open_[index].open = false;
    open_.removeAt(index);
}

void TreeBuilder::popUntil(Tag tag) {
    while (open_.size() > 1) {
        countStep();
        const bool match = current().isHtml(tag);
        pop();
        if (match)
            return;
    }
}

void TreeBuilder::popUntilNode(const Node& node) {
    while (open_.size() > 1) {
        countStep();
        const bool match = &current() == &node;
        pop();
        if (match)
            return;
    }
}

void TreeBuilder::popUntilOneOf(std::initializer_list<Tag> tags) {
    while (open_.size() > 1) {
        countStep();
        const bool match = current().space == Space::Html && oneOf(current().tag, tags);
        pop();
        if (match)
            return;
    }
}

void TreeBuilder::generateImpliedEndTags(std::u16string_view except) {
    while (current().isHtmlIn(Group::impliedEnd) && current().text != except) {
        countStep();
        pop();
    }
}

void TreeBuilder::generateImpliedEndTagsThoroughly() {
    while (current().isHtmlIn(Group::impliedEnd) || current().isHtmlIn(Group::tablePart)) {
        countStep();
        pop();
    }
}

void TreeBuilder::closeParagraph() {
    generateImpliedEndTags(u"p");
    popUntil(Tag::p);
}

void TreeBuilder::closeParagraphInButtonScope() {
    if (inScope(Tag::p, Scope::Button))
        closeParagraph();
}

void TreeBuilder::clearBackTo(std::initializer_list<Tag> context) {
    while (open_.size() > 1 && !(current().space == Space::Html && oneOf(current().tag, context))) {
        countStep();
        pop();
    }
}

void TreeBuilder::resetInsertionMode() {
    for (std::size_t i = open_.size(); i-- > 1;) {
        countStep();
        const Node& node = open_[i];
        if (node.space != Space::Html)
            continue;
        switch (node.tag) {
            case Tag::select:
                for (std::size_t j = i; j-- > 1;) {
                    countStep();
                    if (open_[j].isHtml(Tag::template_))
                        break;
                    if (open_[j].isHtml(Tag::table)) {
                        mode_ = Mode::InSelectInTable;
                        return;
                    }
                }
                mode_ = Mode::InSelect;
                return;
            case Tag::td:
            case Tag::th:
                mode_ = Mode::InCell;
                return;
            case Tag::tr:
                mode_ = Mode::InRow;
                return;
            case Tag::tbody:
            case Tag::thead:
            case Tag::tfoot:
                mode_ = Mode::InTableBody;
                return;
            case Tag::caption:
                mode_ = Mode::InCaption;
                return;
            case Tag::colgroup:
                mode_ = Mode::InColumnGroup;
                return;
            case Tag::table:
                mode_ = Mode::InTable;
                return;
            case Tag::template_:
                mode_ = templateModes_.empty() ? Mode::InBody : templateModes_.back();
                return;
            default:
                break;
        }
    }
    mode_ = Mode::InBody;  // the body the content is parsed for
}

std::size_t TreeBuilder::formattingIndexOf(const Node* node) const {
    const auto at = static_cast<std::size_t>(
        std::find(formatting_.begin(), formatting_.end(), node) - formatting_.begin());
    countStep(at);
    return at;
}

void TreeBuilder::pushFormatting(Node& node) {
    if (!node.open)
        return;
    std::size_t afterMarker = formatting_.size();
    while (afterMarker > 0 && formatting_[afterMarker - 1]) {
        countStep();
        --afterMarker;
    }
    node.formattingKey = formattingKey(node);
    std::size_t same = 0;
    std::size_t earliest = formatting_.size();
    for (std::size_t i = formatting_.size(); i-- > afterMarker;) {
        countStep();
        const Node& other = *formatting_[i];
        if (other.formattingKey == node.formattingKey && other.text == node.text &&
            sameAttributes(other, node)) {
            ++same;
            earliest = i;
        }
    }
    // No more than three alike are kept; the list stays short (only markup built to be slow
    // reaches either limit).
    if (formatting_.size() >= 4 * limits_.maxDepth)
        formatting_.erase(formatting_.begin());
    if (same >= 3)
        formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(earliest));
    else if (formatting_.size() - afterMarker >= kMaxFormatting)
        formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(afterMarker));
    formatting_.push_back(&node);
}

void TreeBuilder::insertMarker() {
    formatting_.push_back(nullptr);
}

void TreeBuilder::clearToLastMarker() {
    while (!formatting_.empty()) {
        countStep();
        const Node* entry = formatting_.back();
        formatting_.pop_back();
        if (!entry)
            return;
    }
}

// Reopens formatting elements that were closed by a block but still apply.
void TreeBuilder::reconstructFormatting() {
    if (formatting_.empty() || !formatting_.back() || formatting_.back()->open)
        return;
    std::size_t i = formatting_.size() - 1;
    while (i > 0 && formatting_[i - 1] && !formatting_[i - 1]->open) {
        countStep();
        --i;
    }
    for (; i < formatting_.size(); ++i) {
        countStep();
        if (open_.size() >= limits_.maxDepth)
            return;
        Node* clone = cloneElement(*formatting_[i]);
        if (!clone)
            return;
        const Place place = appropriatePlace();
        place.parent->insertBefore(*clone, place.before);
        push(*clone);
        formatting_[i] = clone;
    }
}

TreeBuilder::Place TreeBuilder::appropriatePlace(Node* overrideTarget) {
    Node* target = overrideTarget ? overrideTarget : &current();
    const bool tableLike =
        target->space == Space::Html &&
        oneOf(target->tag, {Tag::table, Tag::tbody, Tag::tfoot, Tag::thead, Tag::tr});
    if (!fosterParenting_ || !tableLike)
        return {target, nullptr};
    // Misplaced in a table: put before the table instead.
    const std::size_t table = open_.topmost(Tag::table);
    const std::size_t templ = open_.topmost(Tag::template_);
    constexpr std::size_t none = OpenElements::npos;
    if (templ != none && (table == none || templ > table))
        return {&open_[templ], nullptr};
    if (table == none)
        return {&open_[0], nullptr};
    Node& lastTable = open_[table];
    if (lastTable.parent)
        return {lastTable.parent, &lastTable};
    return {&open_[table - 1], nullptr};
}

Node& TreeBuilder::createElement(const Token& token, Space space) {
    Node& element = document_.create(Node::Kind::Element);
    element.space = space;
    element.tag = token.tag;
    element.text = token.name;
    element.attributes = token.attributes;
    element.htmlIntegrationPoint = makesHtmlIntegrationPoint(element);
    units_ += 1 + element.attributes.size();
    return element;
}

Node* TreeBuilder::cloneElement(const Node& node) {
    if (spent() || clones_ >= kMaxClones || clonedCharacters_ >= kMaxClonedCharacters)
        return nullptr;
    ++clones_;
    Node& clone = document_.create(Node::Kind::Element);
    clone.space = node.space;
    clone.tag = node.tag;
    clone.text = node.text;
    clone.attributes = node.attributes;
    const std::size_t copied = copiedCharacters(node);
    countStep(copied);
    clonedCharacters_ += copied;
    clone.formattingKey = node.formattingKey;
    clone.htmlIntegrationPoint = node.htmlIntegrationPoint;
    units_ += 1 + clone.attributes.size();
    return &clone;
}

Node& TreeBuilder::insertElement(const Token& token, Space space) {
    Node& element = createElement(token, space);
    const Place place = appropriatePlace();
    place.parent->insertBefore(element, place.before);
    push(element);
    return element;
}

Node& TreeBuilder::insertElement(Tag tag, std::u16string_view name) {
    return insertElement(tagToken(Type::StartTag, tag, name));
}

void TreeBuilder::insertVoid(const Token& token) {
    if (insertElement(token).open)
        pop();
}

void TreeBuilder::insertCharacters(std::u16string_view text) {
    if (text.empty())
        return;
    const Place place = appropriatePlace();
    Node* before = place.before ? place.before->previous : place.parent->lastChild;
    if (before && before->kind == Node::Kind::Text) {
        before->text += text;
        return;
    }
    Node& node = document_.create(Node::Kind::Text);
    ++units_;
    node.text = text;
    place.parent->insertBefore(node, place.before);
}

void TreeBuilder::insertComment(const std::u16string& data) {
    Node& node = document_.create(Node::Kind::Comment);
    ++units_;
    node.text = data;
    const Place place = appropriatePlace();
    place.parent->insertBefore(node, place.before);
}

}  // namespace harfpad::html
