// replyview: writes a reply into the reply view and prints the body's HTML as the view gives it
// back. The reply is UTF-8 on standard input; the HTML is UTF-8 on standard output.
//
//   replyview            one reply, all of standard input
//   replyview --batch    replies separated by NUL bytes; each result is followed by a NUL byte
//                        (a reply holding a NUL byte cannot be given this way)
//   replyview --tables   the engine's name tables for SVG and MathML content, one entry a line:
//                        the table, the name as the tokenizer gives it, and what the lookup
//                        makes of it
#include <cstdio>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include "feedback/FormEncoding.h"
#include "feedback/HtmlView.h"
#include "html/Foreign.h"

namespace {

std::string view(std::string_view reply) {
    harfpad::feedback::HtmlView html;
    html.setBodyHtml(harfpad::feedback::decodeUtf8(reply));
    return harfpad::feedback::toUtf8(html.bodyHtml());
}

// Each entry's name as the tokenizer gives it, and what the engine's lookup makes of it.
void printTables() {
    using harfpad::feedback::toUtf8;
    using Adjust = void (*)(std::u16string&);
    const auto print = [](const char* table, std::span<const std::u16string_view> names,
                          Adjust adjust) {
        for (const auto name : names) {
            std::u16string lower(name);
            for (char16_t& c : lower) c = harfpad::html::asciiLower(c);
            std::u16string adjusted = lower;
            adjust(adjusted);
            std::cout << table << ' ' << toUtf8(lower) << ' ' << toUtf8(adjusted) << '\n';
        }
    };
    print("svg-element", harfpad::html::svgTagNames(), harfpad::html::adjustSvgTagName);
    print("svg-attribute", harfpad::html::svgAttributeNames(),
          harfpad::html::adjustSvgAttributeName);
    print("mathml-attribute", harfpad::html::mathMlAttributeNames(),
          harfpad::html::adjustMathMlAttributeName);
    static constexpr const char* kSpaces[] = {"none", "xlink", "xml", "xmlns"};
    for (const auto& entry : harfpad::html::foreignAttributes()) {
        harfpad::html::Attribute attribute{std::u16string(entry.name), {}};
        harfpad::html::adjustForeignAttribute(attribute);
        std::cout << "foreign-attribute " << toUtf8(entry.name) << ' '
                  << kSpaces[static_cast<int>(attribute.space)] << ':' << toUtf8(attribute.name)
                  << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool batch = argc == 2 && std::string_view(argv[1]) == "--batch";
    const bool tables = argc == 2 && std::string_view(argv[1]) == "--tables";
    if (argc > 2 || (argc == 2 && !batch && !tables)) {
        std::cerr << "usage: replyview [--batch | --tables] < reply.html\n";
        return 2;
    }
    if (tables) {
        printTables();
        return std::cout.flush() ? 0 : 1;
    }
    std::ios::sync_with_stdio(false);
    const std::string input(std::istreambuf_iterator<char>(std::cin), {});
    if (!batch) {
        std::cout << view(input);
        return std::cout.flush() ? 0 : 1;
    }
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\0', start);
        if (end == std::string::npos)
            end = input.size();
        std::cout << view(std::string_view(input).substr(start, end - start)) << '\0';
        start = end + 1;
    }
    return std::cout.flush() ? 0 : 1;
}
