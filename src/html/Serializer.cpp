#include "html/Serializer.h"

#include <string_view>

#include "html/Elements.h"
#include "html/StepCount.h"

namespace harfpad::html {

namespace {

void appendEscaped(std::u16string& out, std::u16string_view text, bool inAttribute) {
    for (const char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'\xA0':
                out += u"&nbsp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                if (inAttribute) {
                    out += u"&quot;";
                    break;
                }
                [[fallthrough]];
            default:
                out += c;
        }
    }
}

// What a namespace puts before the local name of an attribute.
std::u16string_view prefixOf(Attribute::Space space, std::u16string_view name) {
    switch (space) {
        case Attribute::Space::XLink:
            return u"xlink:";
        case Attribute::Space::Xml:
            return u"xml:";
        case Attribute::Space::Xmlns:
            return name == u"xmlns" ? u"" : u"xmlns:";
        case Attribute::Space::None:
            break;
    }
    return u"";
}

void openTag(const Node& element, std::u16string& out) {
    out += u'<';
    out += element.text;
    for (const auto& [name, value, space] : element.attributes) {
        countStep();
        out += u' ';
        out += prefixOf(space, name);
        out += name;
        out += u"=\"";
        appendEscaped(out, value, true);
        out += u'"';
    }
    out += u'>';
}

void closeTag(const Node& element, std::u16string& out) {
    out += u"</";
    out += element.text;
    out += u'>';
}

}  // namespace

std::u16string serialize(const Node& parent) {
    std::u16string out;
    walkTree(
        parent,
        [&](const Node& node) {
            switch (node.kind) {
                case Node::Kind::Element:
                    openTag(node, out);
                    if (node.isHtmlIn(Group::voidElement))
                        return false;
                    if (!node.firstChild)
                        closeTag(node, out);
                    return true;
                case Node::Kind::Text:
                    if (node.parent->isHtmlIn(Group::rawText))
                        out += node.text;
                    else
                        appendEscaped(out, node.text, false);
                    return false;
                case Node::Kind::Comment:
                    out += u"<!--";
                    out += node.text;
                    out += u"-->";
                    return false;
            }
            return false;
        },
        [&](const Node& element) {
            if (element.firstChild && !element.isHtmlIn(Group::voidElement))
                closeTag(element, out);
        });
    return out;
}

}  // namespace harfpad::html
