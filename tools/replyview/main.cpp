// replyview: writes a reply into the reply view and prints the body's HTML as the view gives it
// back. The reply is UTF-8 on standard input; the HTML is UTF-8 on standard output.
//
//   replyview            one reply, all of standard input
//   replyview --batch    replies separated by NUL bytes; each result is followed by a NUL byte
//                        (a reply holding a NUL byte cannot be given this way)
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "feedback/FormEncoding.h"
#include "feedback/HtmlView.h"

namespace {

std::string view(std::string_view reply) {
    harfpad::feedback::HtmlView html;
    html.setBodyHtml(harfpad::feedback::decodeUtf8(reply));
    return harfpad::feedback::toUtf8(html.bodyHtml());
}

}  // namespace

int main(int argc, char** argv) {
    const bool batch = argc == 2 && std::string_view(argv[1]) == "--batch";
    if (argc > 2 || (argc == 2 && !batch)) {
        std::cerr << "usage: replyview [--batch] < reply.html\n";
        return 2;
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
