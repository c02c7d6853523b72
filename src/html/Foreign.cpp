#include "html/Foreign.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "html/Elements.h"

namespace harfpad::html {

namespace {

// Sorted by their lower-case spelling.
constexpr std::u16string_view kSvgTags[] = {
    u"altGlyph",
    u"altGlyphDef",
    u"altGlyphItem",
    u"animateColor",
    u"animateMotion",
    u"animateTransform",
    u"clipPath",
    u"feBlend",
    u"feColorMatrix",
    u"feComponentTransfer",
    u"feComposite",
    u"feConvolveMatrix",
    u"feDiffuseLighting",
    u"feDisplacementMap",
    u"feDistantLight",
    u"feDropShadow",
    u"feFlood",
    u"feFuncA",
    u"feFuncB",
    u"feFuncG",
    u"feFuncR",
    u"feGaussianBlur",
    u"feImage",
    u"feMerge",
    u"feMergeNode",
    u"feMorphology",
    u"feOffset",
    u"fePointLight",
    u"feSpecularLighting",
    u"feSpotLight",
    u"feTile",
    u"feTurbulence",
    u"foreignObject",
    u"glyphRef",
    u"linearGradient",
    u"radialGradient",
    u"textPath",
};

constexpr std::u16string_view kSvgAttributes[] = {
    u"attributeName",
    u"attributeType",
    u"baseFrequency",
    u"baseProfile",
    u"calcMode",
    u"clipPathUnits",
    u"diffuseConstant",
    u"edgeMode",
    u"filterUnits",
    u"glyphRef",
    u"gradientTransform",
    u"gradientUnits",
    u"kernelMatrix",
    u"kernelUnitLength",
    u"keyPoints",
    u"keySplines",
    u"keyTimes",
    u"lengthAdjust",
    u"limitingConeAngle",
    u"markerHeight",
    u"markerUnits",
    u"markerWidth",
    u"maskContentUnits",
    u"maskUnits",
    u"numOctaves",
    u"pathLength",
    u"patternContentUnits",
    u"patternTransform",
    u"patternUnits",
    u"pointsAtX",
    u"pointsAtY",
    u"pointsAtZ",
    u"preserveAlpha",
    u"preserveAspectRatio",
    u"primitiveUnits",
    u"refX",
    u"refY",
    u"repeatCount",
    u"repeatDur",
    u"requiredExtensions",
    u"requiredFeatures",
    u"specularConstant",
    u"specularExponent",
    u"spreadMethod",
    u"startOffset",
    u"stdDeviation",
    u"stitchTiles",
    u"surfaceScale",
    u"systemLanguage",
    u"tableValues",
    u"targetX",
    u"targetY",
    u"textLength",
    u"viewBox",
    u"viewTarget",
    u"xChannelSelector",
    u"yChannelSelector",
    u"zoomAndPan",
};

constexpr std::u16string_view kMathMlAttributes[] = {u"definitionURL"};

using enum Attribute::Space;
constexpr ForeignAttribute kForeignAttributes[] = {
    {u"xlink:actuate", XLink, u"actuate"}, {u"xlink:arcrole", XLink, u"arcrole"},
    {u"xlink:href", XLink, u"href"},       {u"xlink:role", XLink, u"role"},
    {u"xlink:show", XLink, u"show"},       {u"xlink:title", XLink, u"title"},
    {u"xlink:type", XLink, u"type"},       {u"xml:lang", Xml, u"lang"},
    {u"xml:space", Xml, u"space"},         {u"xmlns", Xmlns, u"xmlns"},
    {u"xmlns:xlink", Xmlns, u"xlink"},
};

bool lowerLess(std::u16string_view a, std::u16string_view b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return asciiLower(x) < asciiLower(y); });
}

template <std::size_t N>
void restoreCase(const std::u16string_view (&names)[N], std::u16string& name) {
    const auto found = std::lower_bound(std::begin(names), std::end(names), name, lowerLess);
    if (found != std::end(names) && !lowerLess(name, *found))
        name = *found;
}

}  // namespace

void adjustSvgTagName(std::u16string& name) {
    restoreCase(kSvgTags, name);
}

void adjustSvgAttributeName(std::u16string& name) {
    restoreCase(kSvgAttributes, name);
}

void adjustMathMlAttributeName(std::u16string& name) {
    restoreCase(kMathMlAttributes, name);
}

void adjustForeignAttribute(Attribute& attribute) {
    for (const auto& [name, space, localName] : kForeignAttributes) {
        if (attribute.name == name) {
            attribute.space = space;
            attribute.name = localName;
            return;
        }
    }
}

std::span<const std::u16string_view> svgTagNames() {
    return kSvgTags;
}
std::span<const std::u16string_view> svgAttributeNames() {
    return kSvgAttributes;
}
std::span<const std::u16string_view> mathMlAttributeNames() {
    return kMathMlAttributes;
}
std::span<const ForeignAttribute> foreignAttributes() {
    return kForeignAttributes;
}

}  // namespace harfpad::html
