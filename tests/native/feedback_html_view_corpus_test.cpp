// The reply view against a browser's parser on the whole corpus of the differential test:
// data/html_view_corpus.txt holds each reply and the body parse5 made of it (written by
// tests/differential/freeze.mjs; the differential run fails while it is out of date).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>

#include "feedback/FormEncoding.h"
#include "feedback/HtmlView.h"

namespace harfpad::feedback {
namespace {

// A JSON string of ASCII characters, as the file holds them; "\u" escapes are UTF-16 units.
std::u16string jsonString(std::string_view json) {
    std::u16string text;
    for (std::size_t i = 1; i + 1 < json.size(); ++i) {
        if (json[i] != '\\') {
            text += static_cast<char16_t>(json[i]);
            continue;
        }
        switch (const char escaped = json[++i]) {
            case 'u':
                text += static_cast<char16_t>(
                    std::stoi(std::string(json.substr(i + 1, 4)), nullptr, 16));
                i += 4;
                break;
            case 'n':
                text += u'\n';
                break;
            case 'r':
                text += u'\r';
                break;
            case 't':
                text += u'\t';
                break;
            case 'b':
                text += u'\b';
                break;
            case 'f':
                text += u'\f';
                break;
            default:  // \" \\ \/
                text += static_cast<char16_t>(escaped);
        }
    }
    return text;
}

TEST(HtmlViewCorpus, EveryReplyReadsAsABrowserReadsIt) {
    std::ifstream corpus(HARFPAD_HTML_VIEW_CORPUS);
    ASSERT_TRUE(corpus) << HARFPAD_HTML_VIEW_CORPUS;
    std::string name, reply, body;
    int replies = 0;
    while (std::getline(corpus, name) && std::getline(corpus, reply) &&
           std::getline(corpus, body)) {
        HtmlView view;
        view.setBodyHtml(jsonString(reply));
        const std::u16string seen = view.bodyHtml();
        EXPECT_TRUE(seen == jsonString(body))
            << name << "\n  reply:  " << reply << "\n  view:   " << toUtf8(seen)
            << "\n  parse5: " << body;
        ++replies;
    }
    EXPECT_GT(replies, 1000) << "the corpus was not read whole";
}

}  // namespace
}  // namespace harfpad::feedback
