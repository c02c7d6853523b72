// Feeds arbitrary markup to the reply view: parsing, serialising, reading the serialised body
// again and the readable text must neither crash nor hang. The first byte chooses how the rest is
// read: as one character per byte, or as UTF-16 code units. Whether a body reads back as a
// browser's does is the native corpus test's, against parse5.
#include <cstddef>
#include <cstdint>
#include <string>

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
    const std::u16string text = view.readableText();
    view.setBodyHtml(view.bodyHtml());
    return static_cast<int>((text.size() + view.bodyHtml().size()) & 0);
}
