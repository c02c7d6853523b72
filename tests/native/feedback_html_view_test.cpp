// The reply view: the text a reader sees, and the markup the corpus of replies cannot carry
// (NUL, mixed line ends, lone surrogates). How markup is parsed is checked against a browser's
// parser on that corpus (feedback_html_view_corpus_test.cpp and tests/differential).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "feedback/FormEncoding.h"
#include "html/NamedRefs.h"
#include "html/Parser.h"
#include "feedback/HtmlView.h"

namespace harfpad::feedback {
namespace {

using namespace std::string_literals;

TEST(HtmlView, NamedReferenceTableIsWholeAndSorted) {
    const auto entries = html::named_refs::entries();
    EXPECT_EQ(entries.size(), 2231u);
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return html::named_refs::nameOf(a) < html::named_refs::nameOf(b);
    }));
}

// What the corpus cannot carry: it is UTF-8 text with NUL between replies, one kind of line end
// a reply.
TEST(HtmlView, NulLineEndsAndSurrogates) {
    const struct {
        const char* what;
        std::u16string html, body;
    } rows[] = {
        {"line ends become LF", u"a\r\nb\rc\n", u"a\nb\nc\n"},
        {"NUL is dropped from text, U+FFFD elsewhere",
         u"a\0b<p t=\"\0\"><!--\0--><script>\0</script><svg>\0</svg>"s,
         u"ab<p t=\"\uFFFD\"><!--\uFFFD--><script>\uFFFD</script><svg>\uFFFD</svg></p>"},
        {"NUL is dropped from table and select text",
         u"<table>a\0b<tr></table><table>\0 <tr></table><select>c\0d</select>"s,
         u"ab<table><tbody><tr></tr></tbody></table><table> <tbody><tr></tr></tbody></table>"
         u"<select>cd</select>"},
        {"lone surrogates pass through", u"\xD800x\xDC00", u"\xD800x\xDC00"},
    };
    for (const auto& row : rows) {
        HtmlView view;
        view.setBodyHtml(row.html);
        EXPECT_TRUE(view.bodyHtml() == row.body) << row.what << ": " << toUtf8(view.bodyHtml());
    }
}

// Characters go into the text node just before where they are inserted, so text split by
// dropped tags or moved before a table costs one node, as the node limit counts them.
TEST(HtmlView, AdjacentTextIsOneNode) {
    html::Document document;
    html::parseBodyContent(u"a</div>b<table>c<tr>d", document,
                           {HtmlView::kMaxDepth, HtmlView::kMaxNodes});
    const html::Node* text = document.root().firstChild;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, u"abcd");
    ASSERT_NE(text->next, nullptr);
    EXPECT_TRUE(text->next->isHtml(html::Tag::table));
    EXPECT_EQ(document.size(), 5u) << "the root, the text, table, tbody and tr";
}

TEST(HtmlView, ReadableText) {
    struct Row {
        const char* what;
        std::u16string html, text;
    } rows[] = {
        {"blocks are lines, blanks collapse", u"<p>Data  received.</p>\n<p>Thank\n  you.</p>",
         u"Data received.\nThank you."},
        {"script, style, title and comments are not text",
         u"<script>steal()</script><style>p{}</style><title>T</title><!-- c -->Hi", u"Hi"},
        {"line breaks", u"a<br>b<br><br>c", u"a\nb\n\nc"},
        {"references", u"&lt;b&gt; &amp;&nbsp;x", u"<b> & x"},
        {"pre keeps blanks", u"<pre>  two  spaces</pre>", u"  two  spaces"},
        {"inline elements join", u"<b>bold</b><i>it</i> <a href=x>link</a>", u"boldit link"},
        {"table cells are lines", u"<table><tr><td>a<td>b</table>", u"a\nb"},
        {"empty", u"", u""},
    };
    for (const Row& row : rows) {
        HtmlView view;
        view.setBodyHtml(row.html);
        EXPECT_EQ(toUtf8(view.readableText()), toUtf8(row.text)) << row.what;
    }
}

}  // namespace
}  // namespace harfpad::feedback
