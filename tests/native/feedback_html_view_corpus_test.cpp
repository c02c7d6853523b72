// The reply view against a browser's parser on the whole corpus of the differential test:
// data/html_view_corpus.txt holds each reply, the body parse5 made of it and whether parse5 reads
// that body, and then the one read from it, otherwise again (written by tests/differential/run.mjs
// --freeze; the differential run fails while it is out of date).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>

#include "feedback/FormEncoding.h"
#include "feedback/HtmlView.h"

namespace harfpad::feedback {
namespace {

// A line of the file: printable ASCII, with every other UTF-16 unit (and "\\") as \uXXXX.
std::u16string unescaped(std::string_view line) {
    std::u16string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            text +=
                static_cast<char16_t>(std::stoi(std::string(line.substr(i + 2, 4)), nullptr, 16));
            i += 5;
        } else {
            text += static_cast<char16_t>(line[i]);
        }
    }
    return text;
}

TEST(HtmlViewCorpus, EveryReplyReadsAsABrowserReadsIt) {
    std::ifstream corpus(HARFPAD_HTML_VIEW_CORPUS);
    ASSERT_TRUE(corpus) << HARFPAD_HTML_VIEW_CORPUS;
    std::string name, reply, body, readAgain;
    int replies = 0;
    while (std::getline(corpus, name) && std::getline(corpus, reply) &&
           std::getline(corpus, body) && std::getline(corpus, readAgain)) {
        HtmlView view;
        view.setBodyHtml(unescaped(reply));
        const std::u16string seen = view.bodyHtml();
        EXPECT_TRUE(seen == unescaped(body))
            << name << "\n  reply:  " << reply << "\n  view:   " << toUtf8(seen)
            << "\n  parse5: " << body;
        // Written back and read again, a body changes where parse5's does, and only there.
        std::string reading;
        for (std::u16string last = seen; reading.size() < 2; last = view.bodyHtml()) {
            view.setBodyHtml(last);
            reading += view.bodyHtml() != last ? '1' : '0';
        }
        EXPECT_EQ(reading, readAgain) << name << ": changes when read again";
        ++replies;
    }
    EXPECT_GT(replies, 1000) << "the corpus was not read whole";
}

}  // namespace
}  // namespace harfpad::feedback
