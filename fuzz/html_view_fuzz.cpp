// Feeds arbitrary markup to the reply view: parsing, serialising and the readable text must
// neither crash nor hang, and the serialised body must be stable. The first byte chooses how the
// rest is read: as one character per byte, or as UTF-16 code units.
//
// Stable means: parsing the serialised body and serialising it again gives the same text. One
// round may still repair misnested markup (a table fostered out of a link), so the second and
// third serialisations are compared, unless the second tree is one that changes on every round,
// in browsers too (ReadAgain.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ReadAgain.h"
#include "feedback/HtmlView.h"

using harfpad::feedback::HtmlView;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::u16string html;
    if (data[0] & 1) {
        for (std::size_t i = 1; i + 1 < size; i += 2)
            html += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    } else {
        html.assign(data + 1, data + size);
    }
    HtmlView view;
    view.setBodyHtml(html);
    const std::u16string first = view.bodyHtml();
    const std::u16string text = view.readableText();
    view.setBodyHtml(first);
    const std::u16string second = view.bodyHtml();
    if (second.size() > HtmlView::kMaxReplyLength ||
        harfpad::fuzzing::changesWhenReadAgain(view.body(), HtmlView::kMaxDepth))
        return 0;
    view.setBodyHtml(second);
    if (view.bodyHtml() != second)
        std::abort();  // serialising is not stable
    return static_cast<int>(text.size() & 0);
}
