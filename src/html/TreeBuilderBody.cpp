// The tree builder "in body": start and end tags, and the adoption agency for misnested
// formatting elements.
#include "html/TreeBuilder.h"

#include "html/Foreign.h"
#include "html/TreeBuilderShared.h"

namespace harfpad::html {

using namespace tree;

void TreeBuilder::inBody(Token& token) {
    switch (token.type) {
        case Type::Characters:
            return inBodyCharacters(token.data);
        case Type::Comment:
            return insertComment(token.data);
        case Type::Doctype:
            return;
        case Type::StartTag:
            return inBodyStartTag(token);
        case Type::EndTag:
            return inBodyEndTag(token);
        case Type::EndOfFile:
            if (!templateModes_.empty())
                inTemplate(token);
            return;
    }
}

void TreeBuilder::inBodyCharacters(std::u16string_view text) {
    std::u16string kept;
    if (text.find(u'\0') != std::u16string_view::npos) {
        kept = text;
        std::erase(kept, u'\0');
        text = kept;
    }
    if (text.empty())
        return;
    reconstructFormatting();
    insertCharacters(text);
}

void TreeBuilder::inBodyStartTag(Token& token) {
    const Tag tag = token.tag;
    if (in(tag, Group::headContent))
        return inHead(token);
    switch (tag) {
        case Tag::html:
        case Tag::body:
        case Tag::frameset:
            return;  // a body's content cannot restart the document
        case Tag::h1:
        case Tag::h2:
        case Tag::h3:
        case Tag::h4:
        case Tag::h5:
        case Tag::h6:
            closeParagraphInButtonScope();
            if (current().isHtmlIn(Group::heading))
                pop();
            insertElement(token);
            return;
        case Tag::pre:
        case Tag::listing:
            closeParagraphInButtonScope();
            insertElement(token);
            skipNewline_ = true;
            return;
        case Tag::form: {
            if (form_ && !templateOpen())
                return;
            closeParagraphInButtonScope();
            Node& form = insertElement(token);
            if (!templateOpen())
                form_ = &form;
            return;
        }
        case Tag::li:
        case Tag::dd:
        case Tag::dt: {
            // An open item of the same list ends, unless a block other than <div>,
            // <address> or <p> stands between.
            const auto innermost = [&](std::initializer_list<Tag> tags) {
                std::size_t at = OpenElements::npos;
                for (const Tag t : tags) {
                    const std::size_t i = open_.topmost(t);
                    if (i != OpenElements::npos && (at == OpenElements::npos || i > at))
                        at = i;
                }
                return at;
            };
            const bool listItem = tag == Tag::li;
            const std::size_t item =
                listItem ? innermost({Tag::li}) : innermost({Tag::dd, Tag::dt});
            const std::size_t other =
                listItem ? innermost({Tag::dd, Tag::dt}) : innermost({Tag::li});
            std::size_t stop = open_.lastListStop();
            if (other != OpenElements::npos)
                stop = std::max(stop, other);
            if (item != OpenElements::npos && item > stop) {
                const Node& node = open_[item];
                generateImpliedEndTags(node.text);
                popUntilNode(node);
            }
            closeParagraphInButtonScope();
            insertElement(token);
            return;
        }
        case Tag::plaintext:
            closeParagraphInButtonScope();
            insertElement(token);
            tokenizer_.switchTo(Tokenizer::State::PlainText);
            return;
        case Tag::button:
            if (inScope(Tag::button, Scope::Default)) {
                generateImpliedEndTags();
                popUntil(Tag::button);
            }
            reconstructFormatting();
            insertElement(token);
            return;
        case Tag::a: {
            for (std::size_t i = formatting_.size(); i-- > 0 && formatting_[i];) {
                countStep();
                if (formatting_[i]->isHtml(Tag::a)) {
                    Node* link = formatting_[i];
                    adoptionAgency(tagToken(Type::EndTag, Tag::a, u"a"));
                    if (const std::size_t at = formattingIndexOf(link); at != formatting_.size())
                        formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(at));
                    if (link->open)
                        removeFromStack(open_.indexOf(*link));
                    break;
                }
            }
            reconstructFormatting();
            pushFormatting(insertElement(token));
            return;
        }
        case Tag::nobr:
            reconstructFormatting();
            if (inScope(Tag::nobr, Scope::Default)) {
                adoptionAgency(tagToken(Type::EndTag, Tag::nobr, u"nobr"));
                reconstructFormatting();
            }
            pushFormatting(insertElement(token));
            return;
        case Tag::applet:
        case Tag::marquee:
        case Tag::object:
            reconstructFormatting();
            if (insertElement(token).open)
                insertMarker();
            return;
        case Tag::table:
            closeParagraphInButtonScope();
            if (insertElement(token).open)
                mode_ = Mode::InTable;
            return;
        case Tag::area:
        case Tag::br:
        case Tag::embed:
        case Tag::img:
        case Tag::keygen:
        case Tag::wbr:
        case Tag::input:
            reconstructFormatting();
            insertVoid(token);
            return;
        case Tag::param:
        case Tag::source:
        case Tag::track:
            insertVoid(token);
            return;
        case Tag::hr:
            closeParagraphInButtonScope();
            insertVoid(token);
            return;
        case Tag::image:
            token.tag = Tag::img;  // a misspelling browsers accept
            token.name = u"img";
            return process(token);
        case Tag::textarea: {
            Node& area = insertElement(token);
            tokenizer_.switchTo(Tokenizer::State::RcData);
            skipNewline_ = true;
            originalMode_ = mode_;
            mode_ = Mode::Text;
            textTarget_ = &area;
            return;
        }
        case Tag::xmp:
            closeParagraphInButtonScope();
            reconstructFormatting();
            return rawText(token, Tokenizer::State::RawText);
        case Tag::iframe:
        case Tag::noembed:
        case Tag::noscript:  // as a browser that runs scripts reads it: its content is text
            return rawText(token, Tokenizer::State::RawText);
        case Tag::select: {
            reconstructFormatting();
            const bool inTable = mode_ == Mode::InTable || mode_ == Mode::InCaption ||
                                 mode_ == Mode::InTableBody || mode_ == Mode::InRow ||
                                 mode_ == Mode::InCell;
            if (insertElement(token).open)
                mode_ = inTable ? Mode::InSelectInTable : Mode::InSelect;
            return;
        }
        case Tag::optgroup:
        case Tag::option:
            if (current().isHtml(Tag::option))
                pop();
            reconstructFormatting();
            insertElement(token);
            return;
        case Tag::rb:
        case Tag::rtc:
        case Tag::rp:
        case Tag::rt:
            if (inScope(Tag::ruby, Scope::Default))
                generateImpliedEndTags(tag == Tag::rp || tag == Tag::rt ? u"rtc" : u"");
            insertElement(token);
            return;
        case Tag::math:
        case Tag::svg:
            reconstructFormatting();
            insertForeign(token, tag == Tag::svg ? Space::Svg : Space::MathMl);
            return;
        case Tag::caption:
        case Tag::col:
        case Tag::colgroup:
        case Tag::frame:
        case Tag::head:
        case Tag::tbody:
        case Tag::td:
        case Tag::tfoot:
        case Tag::th:
        case Tag::thead:
        case Tag::tr:
            return;  // table parts outside a table
        default:
            break;
    }
    if (in(tag, Group::closesParagraph)) {
        closeParagraphInButtonScope();
        insertElement(token);
    } else if (in(tag, Group::formatting)) {
        reconstructFormatting();
        pushFormatting(insertElement(token));
    } else {
        reconstructFormatting();
        insertElement(token);
    }
}

void TreeBuilder::inBodyEndTag(Token& token) {
    const Tag tag = token.tag;
    switch (tag) {
        case Tag::template_:
            return inHead(token);
        case Tag::body:
        case Tag::html:
            return;  // the body itself is never closed from its content
        case Tag::form: {
            if (!templateOpen()) {
                Node* form = form_;
                form_ = nullptr;
                if (!form || !form->open || !open_.inScopeAt(open_.indexOf(*form), Scope::Default))
                    return;
                generateImpliedEndTags();
                removeFromStack(open_.indexOf(*form));
                return;
            }
            if (!inScope(Tag::form, Scope::Default))
                return;
            generateImpliedEndTags();
            popUntil(Tag::form);
            return;
        }
        case Tag::p:
            if (!inScope(Tag::p, Scope::Button))
                insertElement(Tag::p, u"p");  // "</p>" alone is an empty paragraph
            closeParagraph();
            return;
        case Tag::li:
            if (!inScope(Tag::li, Scope::ListItem))
                return;
            generateImpliedEndTags(u"li");
            popUntil(Tag::li);
            return;
        case Tag::dd:
        case Tag::dt:
            if (!inScope(tag, Scope::Default))
                return;
            generateImpliedEndTags(token.name);
            popUntil(tag);
            return;
        case Tag::h1:
        case Tag::h2:
        case Tag::h3:
        case Tag::h4:
        case Tag::h5:
        case Tag::h6:
            if (!inScope(Tag::h1, Scope::Default) && !inScope(Tag::h2, Scope::Default) &&
                !inScope(Tag::h3, Scope::Default) && !inScope(Tag::h4, Scope::Default) &&
                !inScope(Tag::h5, Scope::Default) && !inScope(Tag::h6, Scope::Default))
                return;
            generateImpliedEndTags();
            popUntilOneOf({Tag::h1, Tag::h2, Tag::h3, Tag::h4, Tag::h5, Tag::h6});
            return;
        case Tag::applet:
        case Tag::marquee:
        case Tag::object:
            if (!inScope(tag, Scope::Default))
                return;
            generateImpliedEndTags();
            popUntil(tag);
            clearToLastMarker();
            return;
        case Tag::br: {
            reconstructFormatting();  // "</br>" is read as "<br>"
            insertVoid(tagToken(Type::StartTag, Tag::br, u"br"));
            return;
        }
        default:
            break;
    }
    if (in(tag, Group::closedByEndTag)) {
        if (!inScope(tag, Scope::Default))
            return;
        generateImpliedEndTags();
        popUntil(tag);
    } else if (in(tag, Group::formatting)) {
        adoptionAgency(token);
    } else {
        anyOtherEndTag(token);
    }
}

void TreeBuilder::anyOtherEndTag(const Token& token) {
    // The innermost open element of that name, unless an element it cannot close past is
    // further in.
    const std::size_t limit = open_.lastSpecial();
    std::size_t at = OpenElements::npos;
    if (token.tag != Tag::other) {
        at = open_.topmost(token.tag);
    } else {
        for (std::size_t i = open_.size(); i-- > std::max<std::size_t>(limit, 1);) {
            countStep();
            if (open_[i].space == Space::Html && open_[i].text == token.name) {
                at = i;
                break;
            }
        }
    }
    if (at == OpenElements::npos || at < limit || at == 0)
        return;
    const Node& node = open_[at];
    generateImpliedEndTags(token.name);
    popUntilNode(node);
}

// Closes formatting elements that blocks have cut across, cloning them where they go on.
void TreeBuilder::adoptionAgency(const Token& token) {
    const auto matches = [&](const Node& node) {
        return node.space == Space::Html && node.text == token.name;
    };
    if (matches(current()) && formattingIndexOf(&current()) == formatting_.size()) {
        pop();
        return;
    }
    for (int outer = 0; outer < 8; ++outer) {
        std::size_t formattingAt = formatting_.size();
        for (std::size_t i = formatting_.size(); i-- > 0 && formatting_[i];) {
            countStep();
            if (matches(*formatting_[i])) {
                formattingAt = i;
                break;
            }
        }
        if (formattingAt == formatting_.size()) {
            // None since the last marker (a <marquee>, a cell, ...): an ordinary end tag, which
            // may still close one left open before the marker. For a <nobr> start tag too.
            anyOtherEndTag(token);
            return;
        }
        Node* formattingElement = formatting_[formattingAt];
        if (!formattingElement->open) {
            formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(formattingAt));
            return;
        }
        const std::size_t elementAt = open_.indexOf(*formattingElement);
        if (!open_.inScopeAt(elementAt, Scope::Default))
            return;
        std::size_t blockAt = elementAt + 1;
        while (blockAt < open_.size() && !isSpecial(open_[blockAt])) {
            countStep();
            ++blockAt;
        }
        if (blockAt == open_.size()) {
            while (open_.size() > elementAt) {
                countStep();
                pop();
            }
            formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(formattingAt));
            return;
        }
        Node* furthestBlock = &open_[blockAt];
        Node* commonAncestor = &open_[elementAt - 1];
        std::size_t bookmark = formattingAt;
        Node* last = furthestBlock;
        std::size_t nodeAt = blockAt;
        for (int inner = 1;; ++inner) {
            countStep();
            --nodeAt;
            Node* node = &open_[nodeAt];
            if (node == formattingElement)
                break;
            std::size_t listAt = formattingIndexOf(node);
            if (inner > 3 && listAt != formatting_.size()) {
                formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(listAt));
                if (listAt < bookmark)
                    --bookmark;
                listAt = formatting_.size();
            }
            if (listAt == formatting_.size()) {
                removeFromStack(nodeAt);
                continue;
            }
            Node* clone = cloneElement(*node);
            if (!clone)
                return;
            formatting_[listAt] = clone;
            open_.replaceAt(nodeAt, *clone);
            node->open = false;
            clone->open = true;
            if (last == furthestBlock)
                bookmark = listAt + 1;
            last->detach();
            clone->append(*last);
            last = clone;
        }
        last->detach();
        const Place place = appropriatePlace(commonAncestor);
        place.parent->insertBefore(*last, place.before);
        Node* replacement = cloneElement(*formattingElement);
        if (!replacement)
            return;
        while (Node* child = furthestBlock->firstChild) {
            countStep();
            child->detach();
            replacement->append(*child);
        }
        furthestBlock->append(*replacement);
        formatting_.insert(formatting_.begin() + static_cast<std::ptrdiff_t>(bookmark),
                           replacement);
        const auto entry = std::find(formatting_.begin(), formatting_.end(), formattingElement);
        countStep(static_cast<std::size_t>(entry - formatting_.begin()));
        formatting_.erase(entry);
        removeFromStack(open_.indexOf(*formattingElement));
        open_.insertAt(open_.indexOf(*furthestBlock) + 1, *replacement);
        replacement->open = true;
    }
}

}  // namespace harfpad::html
