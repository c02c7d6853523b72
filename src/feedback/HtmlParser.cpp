#include "feedback/HtmlParser.h"

#include "feedback/HtmlTokenizer.h"

namespace harfpad::feedback {

void parseBodyContent(std::u16string_view html, HtmlDocument& document, HtmlLimits limits) {
    document.clear();
    HtmlTokenizer tokenizer(html);
    HtmlTreeBuilder(document, tokenizer, limits).run();
}

}  // namespace harfpad::feedback
