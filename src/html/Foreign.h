// Names inside <svg> and <math>: the tokenizer lower-cases every name, and these restore the
// mixed case SVG and MathML spell them with.
#pragma once

#include <string>

namespace harfpad::html {

void adjustSvgTagName(std::u16string& name);
void adjustSvgAttributeName(std::u16string& name);
void adjustMathMlAttributeName(std::u16string& name);

}  // namespace harfpad::html
