// What the parts of the tree builder share: its limits and small questions about nodes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "html/OpenElements.h"
#include "html/StepCount.h"
#include "html/TreeBuilder.h"

namespace harfpad::html {

namespace tree {

using Space = Node::Space;
using Type = Token::Type;

inline constexpr std::size_t kMaxReprocessing = 16;  // a token handed on between modes, at most
inline constexpr std::size_t kMaxFormatting =
    64;  // active formatting elements after the last marker
// Formatting elements reopened after blocks, or split by the adoption agency: each costs a new
// node without new input, so markup built to be slow could multiply the tree. Past this many
// the text goes on without them.
inline constexpr std::size_t kMaxClones = std::size_t{1} << 16;
// Nor may they copy more than this many code units of names and attributes (one past it ends
// the copying): a formatting element with a long attribute, reopened in every paragraph, would
// copy it each time. Four times the longest reply the view keeps.
inline constexpr std::size_t kMaxClonedCharacters = std::size_t{1} << 22;

inline bool oneOf(Tag tag, std::initializer_list<Tag> tags) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

inline bool asciiEqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
        auto low = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
        return low(x) == low(y);
    });
}

// Whether an element's name in ASCII lower case is `lower`, compared in place: lowering keeps the
// length, so a name of another length (however long) is passed at once.
inline bool nameLowersTo(const Node& node, std::u16string_view lower) {
    if (node.text.size() != lower.size())
        return false;
    countStep(lower.size());
    return std::equal(lower.begin(), lower.end(), node.text.begin(),
                      [](char16_t l, char16_t c) { return asciiLower(c) == l; });
}

inline const std::u16string* attribute(const Node& node, std::u16string_view name) {
    for (const auto& a : node.attributes) {
        countStep();
        if (a.name == name)
            return &a.value;
    }
    return nullptr;
}

// The code units a copy of an element's name and attributes holds, one more for each attribute.
inline std::size_t copiedCharacters(const Node& node) {
    std::size_t size = node.text.size();
    for (const auto& attribute : node.attributes) {
        countStep();
        size += 1 + attribute.name.size() + attribute.value.size();
    }
    return size;
}

inline bool isMathMl(const Node& node, std::initializer_list<Tag> tags) {
    return node.kind == Node::Kind::Element && node.space == Space::MathMl && oneOf(node.tag, tags);
}
inline bool isSvg(const Node& node, std::initializer_list<Tag> tags) {
    return node.kind == Node::Kind::Element && node.space == Space::Svg && oneOf(node.tag, tags);
}

inline bool isMathMlTextIntegrationPoint(const Node& node) {
    return isMathMl(node, {Tag::mi, Tag::mo, Tag::mn, Tag::ms, Tag::mtext});
}

// Decided once, when the element is made (its attributes never change), and kept on the node:
// asked for every token, it would otherwise read all of an annotation-xml's attributes each time.
inline bool makesHtmlIntegrationPoint(const Node& node) {
    if (isSvg(node, {Tag::foreignobject, Tag::desc, Tag::title}))
        return true;
    if (!isMathMl(node, {Tag::annotation_xml}))
        return false;
    const std::u16string* encoding = attribute(node, u"encoding");
    return encoding && (asciiEqualsNoCase(*encoding, u"text/html") ||
                        asciiEqualsNoCase(*encoding, u"application/xhtml+xml"));
}

inline bool isHtmlIntegrationPoint(const Node& node) {
    return node.kind == Node::Kind::Element && node.htmlIntegrationPoint;
}

inline bool isSpecial(const Node& node) {
    return OpenElements::isSpecial(node);
}

inline bool sameAttributes(const Node& a, const Node& b) {
    if (a.attributes.size() != b.attributes.size())
        return false;
    countStep(a.attributes.size());
    if (a.attributes == b.attributes)
        return true;
    if (a.attributes.size() <= 8) {  // the usual case: no copies
        return std::all_of(a.attributes.begin(), a.attributes.end(), [&](const auto& attribute) {
            return std::find(b.attributes.begin(), b.attributes.end(), attribute) !=
                   b.attributes.end();
        });
    }
    auto sorted = [](const Node& n) {
        std::vector<const Attribute*> list;
        for (const auto& attribute : n.attributes) list.push_back(&attribute);
        std::sort(list.begin(), list.end(),
                  [](const Attribute* x, const Attribute* y) { return x->name < y->name; });
        return list;
    };
    const auto x = sorted(a);
    const auto y = sorted(b);
    return std::equal(x.begin(), x.end(), y.begin(),
                      [](const Attribute* p, const Attribute* q) { return *p == *q; });
}

inline std::uint32_t hash(std::u16string_view text, std::uint32_t h = 2166136261u) {
    for (const char16_t c : text) h = (h ^ c) * 16777619u;
    return h;
}

// Equal for elements of one name with the same attributes in any order.
inline std::uint32_t formattingKey(const Node& node) {
    std::uint32_t key = hash(node.text);
    for (const auto& attribute : node.attributes) {
        countStep();
        key += hash(attribute.value, hash(attribute.name) * 31u);
    }
    return key;
}

inline Token tagToken(Type type, Tag tag, std::u16string_view name) {
    Token token;
    token.type = type;
    token.tag = tag;
    token.name = name;
    return token;
}

}  // namespace tree

}  // namespace harfpad::html
