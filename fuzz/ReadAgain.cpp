#include "ReadAgain.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "html/Elements.h"
#include "html/OpenElements.h"

namespace harfpad::fuzzing {

namespace {

using html::Group;
using html::Node;
using html::OpenElements;
using html::Tag;
using Space = Node::Space;
using Tags = std::initializer_list<Tag>;

bool is(const Node& node, Tags tags, Space space = Space::Html) {
    return node.kind == Node::Kind::Element && node.space == space &&
           std::find(tags.begin(), tags.end(), node.tag) != tags.end();
}

// Whether an ancestor of `node` is one of `tags` before one for which `stop` holds.
template <typename Stop = bool (*)(const Node&)>
bool above(
    const Node& node, Tags tags, Stop stop = [](const Node&) { return false; }) {
    for (const Node* ancestor = node.parent; ancestor; ancestor = ancestor->parent) {
        if (is(*ancestor, tags))
            return true;
        if (stop(*ancestor))
            return false;
    }
    return false;
}

bool inScope(const Node& node, Tag tag, bool buttonScope = false) {
    return above(node, {tag}, [&](const Node& n) {
        return OpenElements::boundsScope(n) || (buttonScope && is(n, {Tag::button}));
    });
}

// A <select> reached through <option> and <optgroup> only: what a select's content is read in.
bool inSelect(const Node& node) {
    return above(node, {Tag::select}, [](const Node& n) {
        return !is(n, {Tag::option, Tag::optgroup});
    });
}

// An <a> start tag with an <a> open since the last marker of the formatting elements (a cell, a
// caption, an applet, marquee, object or template) closes that one, by adoption when it is in
// scope; when it is not, it only takes it off the open elements, so what follows in it goes
// elsewhere.
bool closesALink(const Node& link) {
    bool inScope = true;
    for (const Node *child = &link, *ancestor = link.parent; ancestor;
         child = ancestor, ancestor = ancestor->parent) {
        if (is(*ancestor, {Tag::a}))
            return inScope || child->next;
        if (is(*ancestor, {Tag::applet, Tag::marquee, Tag::object, Tag::template_, Tag::td, Tag::th,
                           Tag::caption}))
            return false;
        inScope = inScope && !OpenElements::boundsScope(*ancestor);
    }
    return false;
}

bool closesAParagraph(const Node& element) {
    return element.isHtmlIn(Group::closesParagraph) || element.isHtmlIn(Group::heading) ||
           is(element, {Tag::pre, Tag::listing, Tag::li, Tag::dd, Tag::dt, Tag::plaintext,
                        Tag::table, Tag::hr, Tag::xmp}) ||
           (is(element, {Tag::form}) && !above(element, {Tag::template_}));
}

// Whether the element's start tag, read with its ancestors open, closes one of them or is
// ignored.
bool closedByItsStartTag(const Node& element) {
    if (element.kind != Node::Kind::Element || element.space != Space::Html)
        return false;
    const Node& parent = *element.parent;
    if ((element.isHtmlIn(Group::heading) && parent.isHtmlIn(Group::heading)) ||
        (closesAParagraph(element) && inScope(element, Tag::p, true)))
        return true;
    const auto listStop = [](const Node& n) {
        return OpenElements::isSpecial(n) && !is(n, {Tag::address, Tag::div, Tag::p});
    };
    const bool rubyEnds = inScope(element, Tag::ruby) && parent.isHtmlIn(Group::impliedEnd);
    switch (element.tag) {
        case Tag::li:
            return above(element, {Tag::li}, listStop);
        case Tag::dd:
        case Tag::dt:
            return above(element, {Tag::dd, Tag::dt}, listStop);
        case Tag::option:
            return is(parent, {Tag::option});
        case Tag::optgroup:
            return is(parent, {Tag::option}) || (is(parent, {Tag::optgroup}) && inSelect(element));
        case Tag::button:
        case Tag::nobr:
            return inScope(element, element.tag);
        case Tag::select:
            return inSelect(element);
        case Tag::form:
            return above(element, {Tag::form}) && !above(element, {Tag::template_});
        case Tag::a:
            return closesALink(element);
        case Tag::rb:
        case Tag::rtc:
            return rubyEnds;
        case Tag::rp:
        case Tag::rt:
            return rubyEnds && !is(parent, {Tag::rtc});
        default:
            return false;
    }
}

// Whether a script's text ends inside a "<!--<script>" run, where the "</script>" written after
// it does not end the element: the escapes of the tokenizer's script data states, in order.
bool endsDoubleEscaped(std::u16string_view text) {
    enum { Data, Escaped, DoubleEscaped } state = Data;
    const auto at = [&](std::size_t i, std::u16string_view word) {
        if (text.size() - i <= word.size())
            return false;
        for (std::size_t k = 0; k < word.size(); ++k)
            if (html::asciiLower(text[i + k]) != word[k])
                return false;
        const char16_t end = text[i + word.size()];
        return word.back() == u'-' || end == u'\t' || end == u'\n' || end == u'\f' || end == u' ' ||
               end == u'/' || end == u'>';
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (state == Data && at(i, u"<!--")) {
            state = Escaped;
            ++i;  // its "--" may start the "-->" that ends it
        } else if (state != Data && text.substr(i, 3) == u"-->") {
            state = Data;
        } else if (state == Escaped && at(i, u"<script")) {
            state = DoubleEscaped;
        } else if (state == DoubleEscaped && at(i, u"</script")) {
            state = Escaped;
        }
    }
    return state == DoubleEscaped;
}

bool losesLeadingLineFeed(const Node& element) {
    const Node* first = element.firstChild;
    return is(element, {Tag::pre, Tag::listing, Tag::textarea}) && first &&
           first->kind == Node::Kind::Text && first->text.starts_with(u'\n');
}

}  // namespace

bool changesWhenReadAgain(const Node& body, std::size_t maxDepth) {
    bool changes = false;
    std::size_t depth = 0;  // the elements above a node
    html::walkTree(
        body,
        [&](const Node& node) {
            changes = changes || losesLeadingLineFeed(node) || is(node, {Tag::plaintext}) ||
                      depth + 2 >= maxDepth ||
                      (is(node, {Tag::script}) && node.firstChild &&
                       endsDoubleEscaped(node.firstChild->text)) ||
                      closedByItsStartTag(node);
            depth += node.kind == Node::Kind::Element;
            return !changes;
        },
        [&](const Node&) { --depth; });
    return changes;
}

}  // namespace harfpad::fuzzing
