// The feedback body: each field form-urlencoded over UTF-8, checked against a real decoder.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "feedback/FormEncoding.h"

namespace harfpad::feedback {
namespace {

std::string hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        out += kDigits[static_cast<unsigned char>(c) >> 4];
        out += kDigits[static_cast<unsigned char>(c) & 15];
    }
    return out;
}

// Decodes bodies (ASCII, one a line) with Python's urllib.parse.parse_qsl (strict, blanks kept)
// in one run; gives one line per body: "name=hex(utf-8 value)" for each field, blank-separated.
std::vector<std::string> decodeWithPython(const std::vector<std::string>& bodies) {
    const std::string path = ::testing::TempDir() + "feedback_bodies.txt";
    {
        std::ofstream file(path, std::ios::binary);
        for (const std::string& body : bodies) file << body << "\n";
    }
    const std::string command =
        "python3 -c \"import sys, urllib.parse\n"
        "for body in open(sys.argv[1], encoding='ascii').read().split('\\n')[:-1]:\n"
        "    print(' '.join(k + '=' + v.encode('utf-8').hex() for k, v in urllib.parse.parse_qsl("
        "body, keep_blank_values=True, strict_parsing=bool(body), encoding='utf-8', "
        "errors='strict')))\" " +
        path;
    std::vector<std::string> lines;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return lines;
    char buffer[4096];
    std::string line;
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        line += buffer;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            lines.push_back(line);
            line.clear();
        }
    }
    EXPECT_EQ(::pclose(pipe), 0) << "python3 could not decode every body";
    return lines;
}

TEST(FeedbackEncoding, FieldsSurviveARealDecoder) {
    struct Row {
        const char* what;
        std::u16string name, email, message;
    } rows[] = {
        {"plain", u"Ali", u"ali@example.com", u"Hello there"},
        {"all empty", u"", u"", u""},
        {"separators", u"a&b=c", u"x+y@z.com", u"100% & more = less + 1"},
        {"escapes that look decoded", u"%41%", u"%2B@x.y", u"+%20+"},
        {"beyond the BMP and symbols", u"\U0001F600", u"a@b.c",
         u"\u20AC~`!#$^*()[]{}|\\:;'\"<>?,/"},
        {"blanks kept", u"  two  ", u" @. ", u"\t tab"},
    };
    std::vector<std::string> bodies, expected;
    for (const Row& row : rows) {
        const std::u16string body = feedbackBody(row.name, row.email, row.message);
        for (const char16_t c : body) ASSERT_LT(c, 0x80) << row.what << ": body is ASCII";
        bodies.emplace_back(body.begin(), body.end());
        expected.push_back("name=" + hex(toUtf8(row.name)) + " email=" + hex(toUtf8(row.email)) +
                           " feedback=" + hex(toUtf8(row.message)));
    }
    const std::vector<std::string> decoded = decodeWithPython(bodies);
    ASSERT_EQ(decoded.size(), bodies.size());
    for (std::size_t i = 0; i < bodies.size(); ++i)
        EXPECT_EQ(decoded[i], expected[i]) << rows[i].what << ": " << bodies[i];
}

TEST(FeedbackEncoding, BytesAreEscapedByTheFormRules) {
    struct Row {
        std::u16string value;
        std::string encoded;
    } rows[] = {
        {u"", ""},
        {u"a b", "a+b"},
        {u"*-._", "*-._"},
        {u"~", "%7E"},
        {u"&=+%", "%26%3D%2B%25"},
        {u"\r\n", "%0D%0A"},
        {u"\u00E9", "%C3%A9"},
        {u"\uFFFF", "%EF%BF%BF"},
        {u"\U0001F600", "%F0%9F%98%80"},
        {std::u16string(1, char16_t{0xD800}), "%EF%BF%BD"},  // lone surrogate
        {u"AZaz09", "AZaz09"},
    };
    for (const Row& row : rows) EXPECT_EQ(formUrlEncode(row.value), row.encoded) << row.encoded;
}

TEST(FeedbackEncoding, EveryLfBecomesCrLf) {
    struct Row {
        std::u16string in, out;
    } rows[] = {
        {u"", u""},
        {u"no breaks", u"no breaks"},
        {u"a\nb", u"a\r\nb"},
        {u"a\r\nb", u"a\r\r\nb"},  // a CR LF already there gains a CR
        {u"lone\rcr", u"lone\rcr"},
    };
    for (const Row& row : rows) EXPECT_EQ(lfToCrLf(row.in), row.out);
}

}  // namespace
}  // namespace harfpad::feedback
