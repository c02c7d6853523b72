// Names inside <svg> and <math>: the tokenizer lower-cases every name, and these restore the
// mixed case SVG and MathML spell them with, and put the XLink and XML attributes of foreign
// elements into their namespaces.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "html/Node.h"

namespace harfpad::html {

void adjustSvgTagName(std::u16string& name);
void adjustSvgAttributeName(std::u16string& name);
void adjustMathMlAttributeName(std::u16string& name);
void adjustForeignAttribute(Attribute& attribute);

// The tables behind them, so that tools can set them beside other parsers'.
struct ForeignAttribute {
    std::u16string_view name;  // as the tokenizer gives it
    Attribute::Space space;
    std::u16string_view localName;
};
std::span<const std::u16string_view> svgTagNames();
std::span<const std::u16string_view> svgAttributeNames();
std::span<const std::u16string_view> mathMlAttributeNames();
std::span<const ForeignAttribute> foreignAttributes();

}  // namespace harfpad::html
