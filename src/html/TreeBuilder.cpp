#include "html/TreeBuilder.h"

#include <algorithm>

#include "html/Foreign.h"
#include "html/TreeBuilderShared.h"

namespace harfpad::html {

using namespace tree;

TreeBuilder::TreeBuilder(Document& document, Tokenizer& tokenizer, Limits limits)
    : document_(document), tokenizer_(tokenizer), limits_(limits), open_(document.root()) {
    document_.root().open = true;
}

void TreeBuilder::run() {
    Token token;
    while (!spent()) {
        countStep();
        tokenizer_.allowCdata(current().space != Space::Html);
        tokenizer_.next(token);
        reprocessing_ = 0;
        process(token);
        if (token.type == Type::EndOfFile)
            break;
    }
}

// ---- Dispatch

void TreeBuilder::process(Token& token) {
    if (++reprocessing_ > kMaxReprocessing || spent())
        return;
    if (skipNewline_) {
        skipNewline_ = false;
        if (token.type == Type::Characters && !token.data.empty() && token.data.front() == u'\n') {
            token.data.erase(0, 1);
            if (token.data.empty())
                return;
        }
    }
    if (inForeignContent(token))
        inForeign(token);
    else
        processIn(mode_, token);
}

bool TreeBuilder::inForeignContent(const Token& token) const {
    const Node& node = current();  // the root stands for the body, an HTML element
    if (node.space == Space::Html || token.type == Type::EndOfFile)
        return false;
    const bool start = token.type == Type::StartTag;
    const bool text = token.type == Type::Characters;
    if (isMathMlTextIntegrationPoint(node) &&
        ((start && token.tag != Tag::mglyph && token.tag != Tag::malignmark) || text))
        return false;
    if (isMathMl(node, {Tag::annotation_xml}) && start && token.tag == Tag::svg)
        return false;
    if (isHtmlIntegrationPoint(node) && (start || text))
        return false;
    return true;
}

void TreeBuilder::processIn(Mode mode, Token& token) {
    switch (mode) {
        case Mode::InBody:
            return inBody(token);
        case Mode::Text:
            return inText(token);
        case Mode::InTable:
            return inTable(token);
        case Mode::InTableText:
            return inTableText(token);
        case Mode::InCaption:
            return inCaption(token);
        case Mode::InColumnGroup:
            return inColumnGroup(token);
        case Mode::InTableBody:
            return inTableBody(token);
        case Mode::InRow:
            return inRow(token);
        case Mode::InCell:
            return inCell(token);
        case Mode::InSelect:
            return inSelect(token);
        case Mode::InSelectInTable:
            return inSelectInTable(token);
        case Mode::InTemplate:
            return inTemplate(token);
    }
}

// ---- In body

// ---- The head elements a body may hold, and text-only elements

void TreeBuilder::inHead(Token& token) {
    if (token.type == Type::EndTag) {  // </template>
        if (!templateOpen())
            return;
        generateImpliedEndTagsThoroughly();
        popUntil(Tag::template_);
        clearToLastMarker();
        templateModes_.pop_back();
        resetInsertionMode();
        return;
    }
    switch (token.tag) {
        case Tag::title:
            return rawText(token, Tokenizer::State::RcData);
        case Tag::noframes:
        case Tag::style:
            return rawText(token, Tokenizer::State::RawText);
        case Tag::script:
            return rawText(token, Tokenizer::State::ScriptData);
        case Tag::template_:
            if (insertElement(token).open) {
                insertMarker();
                mode_ = Mode::InTemplate;
                templateModes_.push_back(Mode::InTemplate);
            }
            return;
        default:  // base, basefont, bgsound, link, meta
            insertVoid(token);
            return;
    }
}

void TreeBuilder::rawText(const Token& token, Tokenizer::State state) {
    textTarget_ = &insertElement(token);
    tokenizer_.switchTo(state);
    originalMode_ = mode_;
    mode_ = Mode::Text;
}

void TreeBuilder::inText(Token& token) {
    if (token.type == Type::Characters) {
        Node& target = *textTarget_;
        if (target.lastChild && target.lastChild->kind == Node::Kind::Text) {
            target.lastChild->text += token.data;
        } else {
            Node& text = document_.create(Node::Kind::Text);
            ++units_;
            text.text = token.data;
            target.append(text);
        }
        return;
    }
    if (textTarget_->open)
        popUntilNode(*textTarget_);
    mode_ = originalMode_;
    if (token.type == Type::EndOfFile)
        process(token);
}

// ---- Inside <svg> and <math>

void TreeBuilder::inForeign(Token& token) {
    switch (token.type) {
        case Type::Characters: {
            std::replace(token.data.begin(), token.data.end(), u'\0', u'\xFFFD');
            insertCharacters(token.data);
            return;
        }
        case Type::Comment:
            return insertComment(token.data);
        case Type::Doctype:
        case Type::EndOfFile:
            return;
        case Type::StartTag: {
            const bool fontLeaves =
                token.tag == Tag::font &&
                std::any_of(token.attributes.begin(), token.attributes.end(), [](const auto& a) {
                    countStep();
                    return a.name == u"color" || a.name == u"face" || a.name == u"size";
                });
            if (in(token.tag, Group::leavesForeign) || fontLeaves)
                break;
            insertForeign(token, current().space);
            return;
        }
        case Type::EndTag: {
            if (token.tag == Tag::br || token.tag == Tag::p)
                break;
            if (token.tag == Tag::script && isSvg(current(), {Tag::script})) {
                pop();
                return;
            }
            for (std::size_t i = open_.size() - 1; i > 0;) {
                const Node& node = open_[i];
                countStep();
                if (nameLowersTo(node, token.name)) {
                    popUntilNode(node);
                    return;
                }
                if (open_[--i].space == Space::Html)
                    return processIn(mode_, token);
            }
            return;
        }
    }
    // An HTML element inside foreign content ends it.
    while (open_.size() > 1 && current().space != Space::Html &&
           !isMathMlTextIntegrationPoint(current()) && !isHtmlIntegrationPoint(current())) {
        countStep();
        pop();
    }
    processIn(mode_, token);
}

void TreeBuilder::insertForeign(Token& token, Space space) {
    for (auto& attribute : token.attributes) {
        countStep();
        if (space == Space::Svg)
            adjustSvgAttributeName(attribute.name);
        else
            adjustMathMlAttributeName(attribute.name);
        adjustForeignAttribute(attribute);
    }
    Node& element = createElement(token, space);
    if (space == Space::Svg)
        adjustSvgTagName(element.text);
    const Place place = appropriatePlace();
    place.parent->insertBefore(element, place.before);
    if (push(element) && token.selfClosing)
        pop();
}

// ---- The stack of open elements

// ---- Active formatting elements

// ---- Creating and inserting nodes

}  // namespace harfpad::html
