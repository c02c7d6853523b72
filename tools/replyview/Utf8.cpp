#include "Utf8.h"

#include "html/CharRefs.h"

namespace harfpad::tools {

std::u16string decodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    char32_t codePoint = 0;
    int needed = 0;
    unsigned lower = 0x80;
    unsigned upper = 0xBF;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (needed == 0) {
            if (byte < 0x80) {
                out += static_cast<char16_t>(byte);
                continue;
            }
            if (byte >= 0xC2 && byte <= 0xDF) {
                needed = 1;
                codePoint = byte & 0x1F;
            } else if (byte >= 0xE0 && byte <= 0xEF) {
                lower = byte == 0xE0 ? 0xA0 : 0x80;
                upper = byte == 0xED ? 0x9F : 0xBF;
                needed = 2;
                codePoint = byte & 0x0F;
            } else if (byte >= 0xF0 && byte <= 0xF4) {
                lower = byte == 0xF0 ? 0x90 : 0x80;
                upper = byte == 0xF4 ? 0x8F : 0xBF;
                needed = 3;
                codePoint = byte & 0x07;
            } else {
                out += u'\xFFFD';
            }
            continue;
        }
        if (byte < lower || byte > upper) {
            out += u'\xFFFD';  // the byte starts again
            needed = 0;
            lower = 0x80;
            upper = 0xBF;
            --i;
            continue;
        }
        lower = 0x80;
        upper = 0xBF;
        codePoint = (codePoint << 6) | (byte & 0x3F);
        if (--needed > 0)
            continue;
        html::appendCodePoint(out, codePoint);
    }
    if (needed > 0)
        out += u'\xFFFD';
    return out;
}

}  // namespace harfpad::tools
