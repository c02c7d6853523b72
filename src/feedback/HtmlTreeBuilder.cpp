#include "feedback/HtmlTreeBuilder.h"

#include <algorithm>

#include "feedback/HtmlForeign.h"

namespace harfpad::feedback {

namespace {

using html::Group;
using html::Tag;
using Node = HtmlNode;
using Space = HtmlNode::Space;
using Type = HtmlToken::Type;

constexpr std::size_t kMaxReprocessing = 16;  // a token handed on between modes, at most
constexpr std::size_t kMaxFormatting = 64;    // active formatting elements after the last marker
// Formatting elements reopened after blocks, or split by the adoption agency: each costs a new
// node without new input, so markup built to be slow could multiply the tree. Past this many
// the text goes on without them.
constexpr std::size_t kMaxClones = std::size_t{1} << 16;

bool oneOf(Tag tag, std::initializer_list<Tag> tags) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

bool asciiEqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
        auto low = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
        return low(x) == low(y);
    });
}

const std::u16string* attribute(const Node& node, std::u16string_view name) {
    for (const auto& a : node.attributes) {
        if (a.name == name)
            return &a.value;
    }
    return nullptr;
}

bool isMathMl(const Node& node, std::initializer_list<Tag> tags) {
    return node.kind == Node::Kind::Element && node.space == Space::MathMl && oneOf(node.tag, tags);
}
bool isSvg(const Node& node, std::initializer_list<Tag> tags) {
    return node.kind == Node::Kind::Element && node.space == Space::Svg && oneOf(node.tag, tags);
}

bool isMathMlTextIntegrationPoint(const Node& node) {
    return isMathMl(node, {Tag::mi, Tag::mo, Tag::mn, Tag::ms, Tag::mtext});
}

bool isHtmlIntegrationPoint(const Node& node) {
    if (isSvg(node, {Tag::foreignobject, Tag::desc, Tag::title}))
        return true;
    if (!isMathMl(node, {Tag::annotation_xml}))
        return false;
    const std::u16string* encoding = attribute(node, u"encoding");
    return encoding && (asciiEqualsNoCase(*encoding, u"text/html") ||
                        asciiEqualsNoCase(*encoding, u"application/xhtml+xml"));
}

bool isSpecial(const Node& node) {
    return HtmlOpenElements::isSpecial(node);
}

bool sameAttributes(const Node& a, const Node& b) {
    if (a.attributes.size() != b.attributes.size())
        return false;
    if (a.attributes == b.attributes)
        return true;
    if (a.attributes.size() <= 8) {  // the usual case: no copies
        return std::all_of(a.attributes.begin(), a.attributes.end(), [&](const auto& attribute) {
            return std::find(b.attributes.begin(), b.attributes.end(), attribute) !=
                   b.attributes.end();
        });
    }
    auto sorted = [](const Node& n) {
        std::vector<const HtmlAttribute*> list;
        for (const auto& attribute : n.attributes) list.push_back(&attribute);
        std::sort(list.begin(), list.end(),
                  [](const HtmlAttribute* x, const HtmlAttribute* y) { return x->name < y->name; });
        return list;
    };
    const auto x = sorted(a);
    const auto y = sorted(b);
    return std::equal(x.begin(), x.end(), y.begin(),
                      [](const HtmlAttribute* p, const HtmlAttribute* q) { return *p == *q; });
}

std::uint32_t hash(std::u16string_view text, std::uint32_t h = 2166136261u) {
    for (const char16_t c : text) h = (h ^ c) * 16777619u;
    return h;
}

// Equal for elements of one name with the same attributes in any order.
std::uint32_t formattingKey(const Node& node) {
    std::uint32_t key = hash(node.text);
    for (const auto& attribute : node.attributes)
        key += hash(attribute.value, hash(attribute.name) * 31u);
    return key;
}

HtmlToken tagToken(Type type, Tag tag, std::u16string_view name) {
    HtmlToken token;
    token.type = type;
    token.tag = tag;
    token.name = name;
    return token;
}

}  // namespace

HtmlTreeBuilder::HtmlTreeBuilder(HtmlDocument& document, HtmlTokenizer& tokenizer,
                                 HtmlLimits limits)
    : document_(document), tokenizer_(tokenizer), limits_(limits), open_(document.root()) {
    document_.root().open = true;
}

void HtmlTreeBuilder::run() {
    Token token;
    while (!spent()) {
        tokenizer_.allowCdata(current().space != Space::Html);
        tokenizer_.next(token);
        reprocessing_ = 0;
        process(token);
        if (token.type == Type::EndOfFile)
            break;
    }
}

// ---- Dispatch

void HtmlTreeBuilder::process(Token& token) {
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

bool HtmlTreeBuilder::inForeignContent(const Token& token) const {
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

void HtmlTreeBuilder::processIn(Mode mode, Token& token) {
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

void HtmlTreeBuilder::inBody(Token& token) {
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

void HtmlTreeBuilder::inBodyCharacters(std::u16string_view text) {
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

void HtmlTreeBuilder::inBodyStartTag(Token& token) {
    const Tag tag = token.tag;
    switch (tag) {
        case Tag::html:
        case Tag::body:
        case Tag::frameset:
            return;  // a body's content cannot restart the document
        case Tag::base:
        case Tag::basefont:
        case Tag::bgsound:
        case Tag::link:
        case Tag::meta:
        case Tag::noframes:
        case Tag::script:
        case Tag::style:
        case Tag::template_:
        case Tag::title:
            return inHead(token);
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
                std::size_t at = HtmlOpenElements::npos;
                for (const Tag t : tags) {
                    const std::size_t i = open_.topmost(t);
                    if (i != HtmlOpenElements::npos && (at == HtmlOpenElements::npos || i > at))
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
            if (other != HtmlOpenElements::npos)
                stop = std::max(stop, other);
            if (item != HtmlOpenElements::npos && item > stop) {
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
            tokenizer_.switchTo(HtmlTokenizer::State::PlainText);
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
            tokenizer_.switchTo(HtmlTokenizer::State::RcData);
            skipNewline_ = true;
            originalMode_ = mode_;
            mode_ = Mode::Text;
            textTarget_ = &area;
            return;
        }
        case Tag::xmp:
            closeParagraphInButtonScope();
            reconstructFormatting();
            return rawText(token, HtmlTokenizer::State::RawText);
        case Tag::iframe:
        case Tag::noembed:
        case Tag::noscript:  // as a browser that runs scripts reads it: its content is text
            return rawText(token, HtmlTokenizer::State::RawText);
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
    if (html::in(tag, Group::closesParagraph)) {
        closeParagraphInButtonScope();
        insertElement(token);
    } else if (html::in(tag, Group::formatting)) {
        reconstructFormatting();
        pushFormatting(insertElement(token));
    } else {
        reconstructFormatting();
        insertElement(token);
    }
}

void HtmlTreeBuilder::inBodyEndTag(Token& token) {
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
    if (html::in(tag, Group::closedByEndTag)) {
        if (!inScope(tag, Scope::Default))
            return;
        generateImpliedEndTags();
        popUntil(tag);
    } else if (html::in(tag, Group::formatting)) {
        if (!adoptionAgency(token))
            anyOtherEndTag(token);
    } else {
        anyOtherEndTag(token);
    }
}

void HtmlTreeBuilder::anyOtherEndTag(const Token& token) {
    // The innermost open element of that name, unless an element it cannot close past is
    // further in.
    const std::size_t limit = open_.lastSpecial();
    std::size_t at = HtmlOpenElements::npos;
    if (token.tag != Tag::other) {
        at = open_.topmost(token.tag);
    } else {
        for (std::size_t i = open_.size(); i-- > std::max<std::size_t>(limit, 1);) {
            if (open_[i].space == Space::Html && open_[i].text == token.name) {
                at = i;
                break;
            }
        }
    }
    if (at == HtmlOpenElements::npos || at < limit || at == 0)
        return;
    const Node& node = open_[at];
    generateImpliedEndTags(token.name);
    popUntilNode(node);
}

// Closes formatting elements that blocks have cut across, cloning them where they go on.
// True when the end tag was dealt with; false when it is to be read as any other end tag.
bool HtmlTreeBuilder::adoptionAgency(const Token& token) {
    const auto matches = [&](const Node& node) {
        return node.space == Space::Html && node.text == token.name;
    };
    if (matches(current()) && formattingIndexOf(&current()) == formatting_.size()) {
        pop();
        return true;
    }
    for (int outer = 0; outer < 8; ++outer) {
        std::size_t formattingAt = formatting_.size();
        for (std::size_t i = formatting_.size(); i-- > 0 && formatting_[i];) {
            if (matches(*formatting_[i])) {
                formattingAt = i;
                break;
            }
        }
        if (formattingAt == formatting_.size())
            return false;
        Node* formattingElement = formatting_[formattingAt];
        if (!formattingElement->open) {
            formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(formattingAt));
            return true;
        }
        const std::size_t elementAt = open_.indexOf(*formattingElement);
        if (!open_.inScopeAt(elementAt, Scope::Default))
            return true;
        std::size_t blockAt = elementAt + 1;
        while (blockAt < open_.size() && !isSpecial(open_[blockAt])) ++blockAt;
        if (blockAt == open_.size()) {
            while (open_.size() > elementAt) pop();
            formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(formattingAt));
            return true;
        }
        Node* furthestBlock = &open_[blockAt];
        Node* commonAncestor = &open_[elementAt - 1];
        std::size_t bookmark = formattingAt;
        Node* last = furthestBlock;
        std::size_t nodeAt = blockAt;
        for (int inner = 1;; ++inner) {
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
                return true;
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
            return true;
        while (Node* child = furthestBlock->firstChild) {
            child->detach();
            replacement->append(*child);
        }
        furthestBlock->append(*replacement);
        formatting_.insert(formatting_.begin() + static_cast<std::ptrdiff_t>(bookmark),
                           replacement);
        formatting_.erase(std::find(formatting_.begin(), formatting_.end(), formattingElement));
        removeFromStack(open_.indexOf(*formattingElement));
        open_.insertAt(open_.indexOf(*furthestBlock) + 1, *replacement);
        replacement->open = true;
    }
    return true;
}

// ---- The head elements a body may hold, and text-only elements

void HtmlTreeBuilder::inHead(Token& token) {
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
            return rawText(token, HtmlTokenizer::State::RcData);
        case Tag::noframes:
        case Tag::style:
            return rawText(token, HtmlTokenizer::State::RawText);
        case Tag::script:
            return rawText(token, HtmlTokenizer::State::ScriptData);
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

void HtmlTreeBuilder::rawText(const Token& token, HtmlTokenizer::State state) {
    textTarget_ = &insertElement(token);
    tokenizer_.switchTo(state);
    originalMode_ = mode_;
    mode_ = Mode::Text;
}

void HtmlTreeBuilder::inText(Token& token) {
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

void HtmlTreeBuilder::inForeign(Token& token) {
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
                    return a.name == u"color" || a.name == u"face" || a.name == u"size";
                });
            if (html::in(token.tag, Group::leavesForeign) || fontLeaves)
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
                std::u16string lower = node.text;
                for (char16_t& c : lower) c = c >= u'A' && c <= u'Z' ? c + 32 : c;
                if (lower == token.name) {
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
           !isMathMlTextIntegrationPoint(current()) && !isHtmlIntegrationPoint(current()))
        pop();
    processIn(mode_, token);
}

void HtmlTreeBuilder::insertForeign(Token& token, Space space) {
    for (auto& attribute : token.attributes) {
        if (space == Space::Svg)
            html::adjustSvgAttributeName(attribute.name);
        else
            html::adjustMathMlAttributeName(attribute.name);
    }
    Node& element = createElement(token, space);
    if (space == Space::Svg)
        html::adjustSvgTagName(element.text);
    const Place place = appropriatePlace();
    place.parent->insertBefore(element, place.before);
    if (push(element) && token.selfClosing)
        pop();
}

// ---- The stack of open elements

bool HtmlTreeBuilder::push(Node& node) {
    if (open_.size() >= limits_.maxDepth)
        return false;
    open_.push(node);
    node.open = true;
    return true;
}

void HtmlTreeBuilder::pop() {
    removeFromStack(open_.size() - 1);
}

void HtmlTreeBuilder::removeFromStack(std::size_t index) {
    if (index == 0 || index >= open_.size())
        return;  // the root stays
    open_[index].open = false;
    open_.removeAt(index);
}

void HtmlTreeBuilder::popUntil(Tag tag) {
    while (open_.size() > 1) {
        const bool match = current().isHtml(tag);
        pop();
        if (match)
            return;
    }
}

void HtmlTreeBuilder::popUntilNode(const Node& node) {
    while (open_.size() > 1) {
        const bool match = &current() == &node;
        pop();
        if (match)
            return;
    }
}

void HtmlTreeBuilder::popUntilOneOf(std::initializer_list<Tag> tags) {
    while (open_.size() > 1) {
        const bool match = current().space == Space::Html && oneOf(current().tag, tags);
        pop();
        if (match)
            return;
    }
}

void HtmlTreeBuilder::generateImpliedEndTags(std::u16string_view except) {
    while (current().isHtmlIn(Group::impliedEnd) && current().text != except) pop();
}

void HtmlTreeBuilder::generateImpliedEndTagsThoroughly() {
    while (current().isHtmlIn(Group::impliedEnd) || current().isHtmlIn(Group::tablePart)) pop();
}

void HtmlTreeBuilder::closeParagraph() {
    generateImpliedEndTags(u"p");
    popUntil(Tag::p);
}

void HtmlTreeBuilder::closeParagraphInButtonScope() {
    if (inScope(Tag::p, Scope::Button))
        closeParagraph();
}

void HtmlTreeBuilder::clearBackTo(std::initializer_list<Tag> context) {
    while (open_.size() > 1 && !(current().space == Space::Html && oneOf(current().tag, context)))
        pop();
}

void HtmlTreeBuilder::resetInsertionMode() {
    for (std::size_t i = open_.size(); i-- > 1;) {
        const Node& node = open_[i];
        if (node.space != Space::Html)
            continue;
        switch (node.tag) {
            case Tag::select:
                for (std::size_t j = i; j-- > 1;) {
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

// ---- Active formatting elements

std::size_t HtmlTreeBuilder::formattingIndexOf(const Node* node) const {
    return static_cast<std::size_t>(std::find(formatting_.begin(), formatting_.end(), node) -
                                    formatting_.begin());
}

void HtmlTreeBuilder::pushFormatting(Node& node) {
    if (!node.open)
        return;
    std::size_t afterMarker = formatting_.size();
    while (afterMarker > 0 && formatting_[afterMarker - 1]) --afterMarker;
    node.formattingKey = formattingKey(node);
    std::size_t same = 0;
    std::size_t earliest = formatting_.size();
    for (std::size_t i = formatting_.size(); i-- > afterMarker;) {
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

void HtmlTreeBuilder::insertMarker() {
    formatting_.push_back(nullptr);
}

void HtmlTreeBuilder::clearToLastMarker() {
    while (!formatting_.empty()) {
        const Node* entry = formatting_.back();
        formatting_.pop_back();
        if (!entry)
            return;
    }
}

// Reopens formatting elements that were closed by a block but still apply.
void HtmlTreeBuilder::reconstructFormatting() {
    if (formatting_.empty() || !formatting_.back() || formatting_.back()->open)
        return;
    std::size_t i = formatting_.size() - 1;
    while (i > 0 && formatting_[i - 1] && !formatting_[i - 1]->open) --i;
    for (; i < formatting_.size(); ++i) {
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

// ---- Creating and inserting nodes

HtmlTreeBuilder::Place HtmlTreeBuilder::appropriatePlace(Node* overrideTarget) {
    Node* target = overrideTarget ? overrideTarget : &current();
    const bool tableLike =
        target->space == Space::Html &&
        oneOf(target->tag, {Tag::table, Tag::tbody, Tag::tfoot, Tag::thead, Tag::tr});
    if (!fosterParenting_ || !tableLike)
        return {target, nullptr};
    // Misplaced in a table: put before the table instead.
    const std::size_t table = open_.topmost(Tag::table);
    const std::size_t templ = open_.topmost(Tag::template_);
    constexpr std::size_t none = HtmlOpenElements::npos;
    if (templ != none && (table == none || templ > table))
        return {&open_[templ], nullptr};
    if (table == none)
        return {&open_[0], nullptr};
    Node& lastTable = open_[table];
    if (lastTable.parent)
        return {lastTable.parent, &lastTable};
    return {&open_[table - 1], nullptr};
}

HtmlNode& HtmlTreeBuilder::createElement(const Token& token, Space space) {
    Node& element = document_.create(Node::Kind::Element);
    element.space = space;
    element.tag = token.tag;
    element.text = token.name;
    element.attributes = token.attributes;
    units_ += 1 + element.attributes.size();
    return element;
}

HtmlNode* HtmlTreeBuilder::cloneElement(const Node& node) {
    if (spent() || clones_ >= kMaxClones)
        return nullptr;
    ++clones_;
    Node& clone = document_.create(Node::Kind::Element);
    clone.space = node.space;
    clone.tag = node.tag;
    clone.text = node.text;
    clone.attributes = node.attributes;
    clone.formattingKey = node.formattingKey;
    units_ += 1 + clone.attributes.size();
    return &clone;
}

HtmlNode& HtmlTreeBuilder::insertElement(const Token& token, Space space) {
    Node& element = createElement(token, space);
    const Place place = appropriatePlace();
    place.parent->insertBefore(element, place.before);
    push(element);
    return element;
}

HtmlNode& HtmlTreeBuilder::insertElement(Tag tag, std::u16string_view name) {
    return insertElement(tagToken(Type::StartTag, tag, name));
}

void HtmlTreeBuilder::insertVoid(const Token& token) {
    if (insertElement(token).open)
        pop();
}

void HtmlTreeBuilder::insertCharacters(std::u16string_view text) {
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

void HtmlTreeBuilder::insertComment(const std::u16string& data) {
    Node& node = document_.create(Node::Kind::Comment);
    ++units_;
    node.text = data;
    const Place place = appropriatePlace();
    place.parent->insertBefore(node, place.before);
}

}  // namespace harfpad::feedback
