// The reply view: markup parsed as a browser parses a body's content, serialised back, and the
// text a reader sees.
#include <gtest/gtest.h>

#include <string>

#include "feedback/HtmlView.h"

namespace harfpad::feedback {
namespace {

std::string narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

struct Case {
    const char* what;
    std::u16string html;
    std::u16string body;
};

void expectBodies(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        HtmlView view;
        view.setBodyHtml(c.html);
        EXPECT_EQ(narrow(view.bodyHtml()), narrow(c.body)) << c.what;
    }
}

TEST(HtmlView, CharacterReferencesAreDecodedAndEscapedAgain) {
    expectBodies({
        {"plain", u"Data received. Thank you.", u"Data received. Thank you."},
        {"markup characters", u"a &amp; b &lt;c&gt; &quot;q&quot;", u"a &amp; b &lt;c&gt; \"q\""},
        {"named and numeric", u"&copy;&#169;&#xA9;&#Xa9;&COPY", u"\u00A9\u00A9\u00A9\u00A9\u00A9"},
        {"no-break space", u"x&nbsp;y\u00A0z", u"x&nbsp;y&nbsp;z"},
        {"unknown names stay", u"&unknown; & &;", u"&amp;unknown; &amp; &amp;;"},
        {"legacy name without ';'", u"&ampx &lt3", u"&amp;x &lt;3"},
        {"arabic", u"&#1588;&#x643;\u0631", u"\u0634\u0643\u0631"},
        {"beyond the BMP", u"&#x1F600;", u"\U0001F600"},
        {"null and out of range", u"&#0;&#x110000;&#xD800;&#99999999999;",
         u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"C1 numbers mean windows-1252", u"&#x80;&#150;", u"\u20AC\u2013"},
        {"digits missing", u"&#; &#x;", u"&amp;#; &amp;#x;"},
        {"no ';'", u"&#65B", u"AB"},
        {"in attributes", u"<a href=\"?a=1&copy=2&amp;b=&lt;\" title=&quot;x>y</a>",
         u"<a href=\"?a=1&amp;copy=2&amp;b=&lt;\" title=\"&quot;x\">y</a>"},
    });
}

TEST(HtmlView, TagsAndAttributes) {
    expectBodies({
        {"names are lower-cased", u"<B CLASS=X>Data</B>", u"<b class=\"X\">Data</b>"},
        {"quotes of every kind", u"<p a='say \"hi\"' b=\"it's\" c=bare d>x</p>",
         u"<p a=\"say &quot;hi&quot;\" b=\"it's\" c=\"bare\" d=\"\">x</p>"},
        {"angle brackets in a value", u"<p title=\"a>b<c\">x</p>",
         u"<p title=\"a&gt;b&lt;c\">x</p>"},
        {"duplicate attributes", u"<div id=a ID=b>x</div>", u"<div id=\"a\">x</div>"},
        {"void elements", u"a<br/>b<img src=x><hr>", u"a<br>b<img src=\"x\"><hr>"},
        {"image is img", u"<image src=y>", u"<img src=\"y\">"},
        {"self-closing is ignored elsewhere", u"<div/>x", u"<div>x</div>"},
        {"event handlers stay inert text", u"<img src=x onerror=\"alert(1)\">",
         u"<img src=\"x\" onerror=\"alert(1)\">"},
        {"document wrappers go",
         u"<!DOCTYPE html><html><head></head><body class=a>Hi</body></html>", u"Hi"},
        {"line breaks are normalised", u"a\r\nb\rc\n", u"a\nb\nc\n"},
    });
}

TEST(HtmlView, CommentsScriptsAndStylesStayInert) {
    expectBodies({
        {"comment", u"<!-- note -->text", u"<!-- note -->text"},
        {"acknowledgement inside a comment", u"<!--Data received. Thank you.-->",
         u"<!--Data received. Thank you.-->"},
        {"empty comments", u"<!---->|<!-->|<!--->", u"<!---->|<!---->|<!---->"},
        {"unclosed comment", u"a<!-- b", u"a<!-- b-->"},
        {"processing instruction", u"<?php echo 1 ?>", u"<!--?php echo 1 ?-->"},
        {"cdata outside foreign content", u"<![CDATA[x]]>", u"<!--[CDATA[x]]-->"},
        {"script text is written as it is", u"<script>if (a < b && c) alert(\"&amp;\")</script>",
         u"<script>if (a < b && c) alert(\"&amp;\")</script>"},
        {"script ends only at its own end tag", u"<SCRIPT>a</scriptx>b</Script >c",
         u"<script>a</scriptx>b</script>c"},
        {"unclosed script", u"<script>alert(1)", u"<script>alert(1)</script>"},
        {"style", u"<style>p > b { color: red }</style>", u"<style>p > b { color: red }</style>"},
        {"title decodes references", u"<title>a &amp; <b></title>",
         u"<title>a &amp; &lt;b&gt;</title>"},
        {"textarea", u"<textarea>\n&lt;b&gt;</textarea>", u"<textarea>&lt;b&gt;</textarea>"},
    });
}

TEST(HtmlView, MalformedMarkupIsRepairedAsABrowserDoes) {
    expectBodies({
        {"paragraphs close each other", u"<p>one<p>two", u"<p>one</p><p>two</p>"},
        {"list items close each other", u"<ul><li>a<li>b</ul>", u"<ul><li>a</li><li>b</li></ul>"},
        {"block closes a paragraph", u"<p>a<div>b</div>", u"<p>a</p><div>b</div>"},
        {"headings", u"<h1>a<h2>b</h1>c", u"<h1>a</h1><h2>b</h2>c"},
        {"unclosed", u"<div><span>x", u"<div><span>x</span></div>"},
        {"stray end tags", u"a</div></span>b", u"ab"},
        {"end p without p", u"</p>", u"<p></p>"},
        {"end br", u"</br>", u"<br>"},
        {"end tag does not close past a block", u"<b><div>x</b>y</div>", u"<b><div>xy</div></b>"},
        {"links do not nest", u"<a href=x>1<a href=y>2", u"<a href=\"x\">1</a><a href=\"y\">2</a>"},
        {"table rows get a body", u"<table><tr><td>a<td>b</table>",
         u"<table><tbody><tr><td>a</td><td>b</td></tr></tbody></table>"},
        {"cells outside a table", u"<td>x</td><tr>", u"x"},
        {"lone less-than", u"a < b <3 <", u"a &lt; b &lt;3 &lt;"},
        {"empty end tag", u"a</>b", u"ab"},
        {"bogus end tag", u"</ x>y", u"<!-- x-->y"},
        {"tag cut off", u"x<div class=\"a", u"x"},
        {"pre drops its first line break", u"<pre>\nx</pre>", u"<pre>x</pre>"},
        {"nulls", std::u16string(u"a\0b", 3), u"ab"},
    });
}

TEST(HtmlView, DeepNestingIsBounded) {
    std::u16string html;
    for (int i = 0; i < 5000; ++i) html += u"<span>";
    html += u"deep";
    HtmlView view;
    view.setBodyHtml(html);
    std::size_t depth = 0;
    for (const HtmlNode* node = &view.body(); !node->children.empty();
         node = node->children.front().get()) {
        ++depth;
    }
    EXPECT_LE(depth, HtmlView::kMaxDepth + 1);
    EXPECT_NE(view.bodyHtml().find(u"deep"), std::u16string::npos);
    EXPECT_EQ(view.readableText(), u"deep");
}

TEST(HtmlView, WritingReplacesTheBody) {
    HtmlView view;
    view.setBodyHtml(u"<p>first</p>");
    view.setBodyHtml(u"second");
    EXPECT_EQ(view.bodyHtml(), u"second");
    view.setBodyHtml(u"");
    EXPECT_EQ(view.bodyHtml(), u"");
}

TEST(HtmlView, ReadableText) {
    struct Row {
        const char* what;
        std::u16string html, text;
    } rows[] = {
        {"blocks are lines, blanks collapse", u"<p>Data  received.</p>\n<p>Thank\n  you.</p>",
         u"Data received.\nThank you."},
        {"script, style and comments are not text",
         u"<script>steal()</script><style>p{}</style><!-- c -->Hi", u"Hi"},
        {"line breaks", u"a<br>b<br><br>c", u"a\nb\n\nc"},
        {"references", u"&lt;b&gt; &amp;&nbsp;x", u"<b> & x"},
        {"pre keeps blanks", u"<pre>  two  spaces</pre>", u"  two  spaces"},
        {"inline elements join", u"<b>bold</b><i>it</i> <a href=x>link</a>", u"boldit link"},
        {"arabic", u"<div dir=rtl>\u0634\u0643\u0631\u0627</div>", u"\u0634\u0643\u0631\u0627"},
        {"empty", u"", u""},
    };
    for (const Row& row : rows) {
        HtmlView view;
        view.setBodyHtml(row.html);
        EXPECT_EQ(narrow(view.readableText()), narrow(row.text)) << row.what;
    }
}

}  // namespace
}  // namespace harfpad::feedback
