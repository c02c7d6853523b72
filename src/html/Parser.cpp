#include "html/Parser.h"

#include "html/Tokenizer.h"
#include "html/TreeBuilder.h"

namespace harfpad::html {

void parseBodyContent(std::u16string_view html, Document& document, Limits limits) {
    document.clear();
    Tokenizer tokenizer(html);
    TreeBuilder(document, tokenizer, limits).run();
}

}  // namespace harfpad::html
