// The insertion modes inside tables, <select> and <template>.
#include <algorithm>

#include "html/StepCount.h"
#include "html/TreeBuilder.h"

namespace harfpad::html {

namespace {

using Type = Token::Type;

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

bool oneOf(Tag tag, std::initializer_list<Tag> tags) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

bool startOf(const Token& token, std::initializer_list<Tag> tags) {
    return token.type == Type::StartTag && oneOf(token.tag, tags);
}
bool endOf(const Token& token, std::initializer_list<Tag> tags) {
    return token.type == Type::EndTag && oneOf(token.tag, tags);
}

bool isHiddenInput(const Token& token) {
    for (const auto& attribute : token.attributes) {
        countStep();
        if (attribute.name != u"type")
            continue;
        const std::u16string& value = attribute.value;
        return value.size() == 6 &&
               std::equal(value.begin(), value.end(), u"hidden", [](char16_t c, char16_t want) {
                   return (c >= u'A' && c <= u'Z' ? c + 32 : c) == want;
               });
    }
    return false;
}

constexpr std::initializer_list<Tag> kTableContext = {Tag::table, Tag::template_, Tag::html};
constexpr std::initializer_list<Tag> kBodyContext = {Tag::tbody, Tag::tfoot, Tag::thead,
                                                     Tag::template_, Tag::html};
constexpr std::initializer_list<Tag> kRowContext = {Tag::tr, Tag::template_, Tag::html};

}  // namespace

void TreeBuilder::inTable(Token& token) {
    switch (token.type) {
        case Type::Characters:
            if (current().space == Node::Space::Html &&
                oneOf(current().tag,
                      {Tag::table, Tag::tbody, Tag::template_, Tag::tfoot, Tag::thead, Tag::tr})) {
                pendingTableText_.clear();
                originalMode_ = mode_;
                mode_ = Mode::InTableText;
                return process(token);
            }
            return anythingElseInTable(token);
        case Type::Comment:
            return insertComment(token.data);
        case Type::Doctype:
            return;
        case Type::EndOfFile:
            return inBody(token);
        case Type::StartTag:
            switch (token.tag) {
                case Tag::caption:
                    clearBackTo(kTableContext);
                    insertMarker();
                    insertElement(token);
                    mode_ = Mode::InCaption;
                    return;
                case Tag::colgroup:
                    clearBackTo(kTableContext);
                    insertElement(token);
                    mode_ = Mode::InColumnGroup;
                    return;
                case Tag::col:
                    clearBackTo(kTableContext);
                    insertElement(Tag::colgroup, u"colgroup");
                    mode_ = Mode::InColumnGroup;
                    return process(token);
                case Tag::tbody:
                case Tag::tfoot:
                case Tag::thead:
                    clearBackTo(kTableContext);
                    insertElement(token);
                    mode_ = Mode::InTableBody;
                    return;
                case Tag::td:
                case Tag::th:
                case Tag::tr:
                    clearBackTo(kTableContext);
                    insertElement(Tag::tbody, u"tbody");
                    mode_ = Mode::InTableBody;
                    return process(token);
                case Tag::table:
                    if (!inScope(Tag::table, Scope::Table))
                        return;
                    popUntil(Tag::table);
                    resetInsertionMode();
                    return process(token);
                case Tag::style:
                case Tag::script:
                case Tag::template_:
                    return inHead(token);
                case Tag::input:
                    if (!isHiddenInput(token))
                        break;
                    insertVoid(token);
                    return;
                case Tag::form:
                    if (templateOpen() || form_)
                        return;
                    form_ = &insertElement(token);
                    if (form_->open)
                        pop();
                    return;
                default:
                    break;
            }
            return anythingElseInTable(token);
        case Type::EndTag:
            switch (token.tag) {
                case Tag::table:
                    if (!inScope(Tag::table, Scope::Table))
                        return;
                    popUntil(Tag::table);
                    resetInsertionMode();
                    return;
                case Tag::body:
                case Tag::caption:
                case Tag::col:
                case Tag::colgroup:
                case Tag::html:
                case Tag::tbody:
                case Tag::td:
                case Tag::tfoot:
                case Tag::th:
                case Tag::thead:
                case Tag::tr:
                    return;
                case Tag::template_:
                    return inHead(token);
                default:
                    return anythingElseInTable(token);
            }
    }
}

// Content misplaced in a table goes before the table.
void TreeBuilder::anythingElseInTable(Token& token) {
    const bool was = fosterParenting_;
    fosterParenting_ = true;
    inBody(token);
    fosterParenting_ = was;
}

void TreeBuilder::inTableText(Token& token) {
    if (token.type == Type::Characters) {
        for (const char16_t c : token.data) {
            if (c != u'\0')
                pendingTableText_ += c;
        }
        return;
    }
    if (std::all_of(pendingTableText_.begin(), pendingTableText_.end(), isSpace)) {
        insertCharacters(pendingTableText_);
    } else {
        const bool was = fosterParenting_;
        fosterParenting_ = true;
        inBodyCharacters(pendingTableText_);
        fosterParenting_ = was;
    }
    pendingTableText_.clear();
    mode_ = originalMode_;
    process(token);
}

void TreeBuilder::inCaption(Token& token) {
    const bool endCaption = endOf(token, {Tag::caption});
    if (endCaption || endOf(token, {Tag::table}) ||
        startOf(token, {Tag::caption, Tag::col, Tag::colgroup, Tag::tbody, Tag::td, Tag::tfoot,
                        Tag::th, Tag::thead, Tag::tr})) {
        if (!inScope(Tag::caption, Scope::Table))
            return;
        generateImpliedEndTags();
        popUntil(Tag::caption);
        clearToLastMarker();
        mode_ = Mode::InTable;
        if (!endCaption)
            process(token);
        return;
    }
    if (endOf(token, {Tag::body, Tag::col, Tag::colgroup, Tag::html, Tag::tbody, Tag::td,
                      Tag::tfoot, Tag::th, Tag::thead, Tag::tr}))
        return;
    inBody(token);
}

void TreeBuilder::inColumnGroup(Token& token) {
    switch (token.type) {
        case Type::Characters: {
            std::u16string_view rest = token.data;
            while (!rest.empty()) {
                countStep();
                const std::size_t blanks = std::min(
                    rest.size(),
                    static_cast<std::size_t>(std::find_if_not(rest.begin(), rest.end(), isSpace) -
                                             rest.begin()));
                insertCharacters(rest.substr(0, blanks));
                rest.remove_prefix(blanks);
                if (rest.empty())
                    return;
                if (current().isHtml(Tag::colgroup)) {
                    pop();
                    mode_ = Mode::InTable;
                    Token remainder = token;
                    remainder.data = rest;
                    return process(remainder);
                }
                rest.remove_prefix(1);  // not in a column group: dropped
            }
            return;
        }
        case Type::Comment:
            return insertComment(token.data);
        case Type::Doctype:
            return;
        case Type::EndOfFile:
            return inBody(token);
        case Type::StartTag:
            if (token.tag == Tag::html)
                return inBody(token);
            if (token.tag == Tag::col)
                return insertVoid(token);
            if (token.tag == Tag::template_)
                return inHead(token);
            break;
        case Type::EndTag:
            if (token.tag == Tag::colgroup) {
                if (current().isHtml(Tag::colgroup)) {
                    pop();
                    mode_ = Mode::InTable;
                }
                return;
            }
            if (token.tag == Tag::col)
                return;
            if (token.tag == Tag::template_)
                return inHead(token);
            break;
    }
    if (!current().isHtml(Tag::colgroup))
        return;
    pop();
    mode_ = Mode::InTable;
    process(token);
}

void TreeBuilder::inTableBody(Token& token) {
    if (startOf(token, {Tag::tr})) {
        clearBackTo(kBodyContext);
        insertElement(token);
        mode_ = Mode::InRow;
    } else if (startOf(token, {Tag::th, Tag::td})) {
        clearBackTo(kBodyContext);
        insertElement(Tag::tr, u"tr");
        mode_ = Mode::InRow;
        process(token);
    } else if (endOf(token, {Tag::tbody, Tag::tfoot, Tag::thead})) {
        if (!inScope(token.tag, Scope::Table))
            return;
        clearBackTo(kBodyContext);
        pop();
        mode_ = Mode::InTable;
    } else if (startOf(token, {Tag::caption, Tag::col, Tag::colgroup, Tag::tbody, Tag::tfoot,
                               Tag::thead}) ||
               endOf(token, {Tag::table})) {
        if (!inScope(Tag::tbody, Scope::Table) && !inScope(Tag::thead, Scope::Table) &&
            !inScope(Tag::tfoot, Scope::Table))
            return;
        clearBackTo(kBodyContext);
        pop();
        mode_ = Mode::InTable;
        process(token);
    } else if (!endOf(token, {Tag::body, Tag::caption, Tag::col, Tag::colgroup, Tag::html, Tag::td,
                              Tag::th, Tag::tr})) {
        inTable(token);
    }
}

void TreeBuilder::inRow(Token& token) {
    if (startOf(token, {Tag::th, Tag::td})) {
        clearBackTo(kRowContext);
        if (insertElement(token).open) {
            mode_ = Mode::InCell;
            insertMarker();
        }
    } else if (endOf(token, {Tag::tr})) {
        if (!inScope(Tag::tr, Scope::Table))
            return;
        clearBackTo(kRowContext);
        pop();
        mode_ = Mode::InTableBody;
    } else if (startOf(token, {Tag::caption, Tag::col, Tag::colgroup, Tag::tbody, Tag::tfoot,
                               Tag::thead, Tag::tr}) ||
               endOf(token, {Tag::table})) {
        if (!inScope(Tag::tr, Scope::Table))
            return;
        clearBackTo(kRowContext);
        pop();
        mode_ = Mode::InTableBody;
        process(token);
    } else if (endOf(token, {Tag::tbody, Tag::tfoot, Tag::thead})) {
        if (!inScope(token.tag, Scope::Table) || !inScope(Tag::tr, Scope::Table))
            return;
        clearBackTo(kRowContext);
        pop();
        mode_ = Mode::InTableBody;
        process(token);
    } else if (!endOf(token, {Tag::body, Tag::caption, Tag::col, Tag::colgroup, Tag::html, Tag::td,
                              Tag::th})) {
        inTable(token);
    }
}

void TreeBuilder::closeCell() {
    generateImpliedEndTags();
    popUntilOneOf({Tag::td, Tag::th});
    clearToLastMarker();
    mode_ = Mode::InRow;
}

void TreeBuilder::inCell(Token& token) {
    if (endOf(token, {Tag::td, Tag::th})) {
        if (!inScope(token.tag, Scope::Table))
            return;
        generateImpliedEndTags();
        popUntil(token.tag);
        clearToLastMarker();
        mode_ = Mode::InRow;
    } else if (startOf(token, {Tag::caption, Tag::col, Tag::colgroup, Tag::tbody, Tag::td,
                               Tag::tfoot, Tag::th, Tag::thead, Tag::tr})) {
        if (!inScope(Tag::td, Scope::Table) && !inScope(Tag::th, Scope::Table))
            return;
        closeCell();
        process(token);
    } else if (endOf(token, {Tag::body, Tag::caption, Tag::col, Tag::colgroup, Tag::html})) {
        return;
    } else if (endOf(token, {Tag::table, Tag::tbody, Tag::tfoot, Tag::thead, Tag::tr})) {
        if (!inScope(token.tag, Scope::Table))
            return;
        closeCell();
        process(token);
    } else {
        inBody(token);
    }
}

void TreeBuilder::inSelect(Token& token) {
    switch (token.type) {
        case Type::Characters: {
            std::u16string text = token.data;
            std::erase(text, u'\0');
            return insertCharacters(text);
        }
        case Type::Comment:
            return insertComment(token.data);
        case Type::Doctype:
            return;
        case Type::EndOfFile:
            return inBody(token);
        case Type::StartTag:
            switch (token.tag) {
                case Tag::html:
                    return inBody(token);
                case Tag::option:
                    if (current().isHtml(Tag::option))
                        pop();
                    insertElement(token);
                    return;
                case Tag::optgroup:
                case Tag::hr:
                    if (current().isHtml(Tag::option))
                        pop();
                    if (current().isHtml(Tag::optgroup))
                        pop();
                    if (token.tag == Tag::hr)
                        insertVoid(token);
                    else
                        insertElement(token);
                    return;
                case Tag::select:
                case Tag::input:
                case Tag::keygen:
                case Tag::textarea:
                    if (!inScope(Tag::select, Scope::Select))
                        return;
                    popUntil(Tag::select);
                    resetInsertionMode();
                    if (token.tag != Tag::select)
                        process(token);
                    return;
                case Tag::script:
                case Tag::template_:
                    return inHead(token);
                default:
                    return;
            }
        case Type::EndTag:
            switch (token.tag) {
                case Tag::optgroup:
                    if (current().isHtml(Tag::option) && open_.size() > 2 &&
                        open_[open_.size() - 2].isHtml(Tag::optgroup))
                        pop();
                    if (current().isHtml(Tag::optgroup))
                        pop();
                    return;
                case Tag::option:
                    if (current().isHtml(Tag::option))
                        pop();
                    return;
                case Tag::select:
                    if (!inScope(Tag::select, Scope::Select))
                        return;
                    popUntil(Tag::select);
                    resetInsertionMode();
                    return;
                case Tag::template_:
                    return inHead(token);
                default:
                    return;
            }
    }
}

void TreeBuilder::inSelectInTable(Token& token) {
    const std::initializer_list<Tag> kTableTags = {Tag::caption, Tag::table, Tag::tbody, Tag::tfoot,
                                                   Tag::thead,   Tag::tr,    Tag::td,    Tag::th};
    const bool start = startOf(token, kTableTags);
    if (start || endOf(token, kTableTags)) {
        if (!start && !inScope(token.tag, Scope::Table))
            return;
        popUntil(Tag::select);
        resetInsertionMode();
        process(token);
        return;
    }
    inSelect(token);
}

void TreeBuilder::inTemplate(Token& token) {
    const auto switchTo = [&](Mode mode) {
        templateModes_.back() = mode;
        mode_ = mode;
        process(token);
    };
    switch (token.type) {
        case Type::Characters:
        case Type::Comment:
        case Type::Doctype:
            return inBody(token);
        case Type::StartTag:
            if (in(token.tag, Group::headContent))
                return inHead(token);
            switch (token.tag) {
                case Tag::caption:
                case Tag::colgroup:
                case Tag::tbody:
                case Tag::tfoot:
                case Tag::thead:
                    return switchTo(Mode::InTable);
                case Tag::col:
                    return switchTo(Mode::InColumnGroup);
                case Tag::tr:
                    return switchTo(Mode::InTableBody);
                case Tag::td:
                case Tag::th:
                    return switchTo(Mode::InRow);
                default:
                    return switchTo(Mode::InBody);
            }
        case Type::EndTag:
            if (token.tag == Tag::template_)
                inHead(token);
            return;
        case Type::EndOfFile:
            if (!templateOpen())
                return;
            popUntil(Tag::template_);
            clearToLastMarker();
            templateModes_.pop_back();
            resetInsertionMode();
            process(token);
            return;
    }
}

}  // namespace harfpad::html
