// The reply view: markup parsed as a browser parses a body's content, serialised back, and the
// text a reader sees. Broad agreement with a browser's parser is the differential test's job
// (tests/differential); these are the cases the acknowledgement depends on and what it cannot
// carry (NUL, line ends, surrogates).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "feedback/HtmlNamedRefs.h"
#include "feedback/HtmlView.h"

namespace harfpad::feedback {
namespace {

using namespace std::string_literals;

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

TEST(HtmlView, TreeBuildingDecidesWhereTheAcknowledgementEnds) {
    expectBodies({
        {"an end tag closes an open p", u"<div><p>Data received.</div> Thank you.",
         u"<div><p>Data received.</p></div> Thank you."},
        {"a list's end closes its item", u"<ul><li>one</ul>after", u"<ul><li>one</li></ul>after"},
        {"adoption agency", u"<b><div>Data received.</b> Thank you.</div>",
         u"<b></b><div><b>Data received.</b> Thank you.</div>"},
        {"adoption agency, short", u"<b><div>x</b>y</div>", u"<b></b><div><b>x</b>y</div>"},
        {"text misplaced in a table goes before it",
         u"<table>Data received. <tr><td>x</td></tr>Thank you.</table>",
         u"Data received. Thank you.<table><tbody><tr><td>x</td></tr></tbody></table>"},
        {"formatting reopens in the next block", u"<p><b>bold<p>still",
         u"<p><b>bold</b></p><p><b>still</b></p>"},
        {"a table closes an open p", u"<p>a<table><tr><td>x</table>",
         u"<p>a</p><table><tbody><tr><td>x</td></tr></tbody></table>"},
        {"no more than three alike reopen", u"<p><b><b><b><b>x</p><p>y",
         u"<p><b><b><b><b>x</b></b></b></b></p><p><b><b><b>y</b></b></b></p>"},
        {"a button keeps its own blocks", u"<p>a<button><div>b</div></button>",
         u"<p>a<button><div>b</div></button></p>"},
        {"items and headings", u"<dl><dt>a<dd>b</dl><h1>c<h2>d</h1>e",
         u"<dl><dt>a</dt><dd>b</dd></dl><h1>c</h1><h2>d</h2>e"},
        {"forms do not nest", u"<form id=a><form id=b>x</form>", u"<form id=\"a\">x</form>"},
        {"links do not nest", u"<a href=x>1<a href=y>2", u"<a href=\"x\">1</a><a href=\"y\">2</a>"},
        {"select keeps only text and options", u"<select><option>a<div>b</div><b>c</b></select>",
         u"<select><option>abc</option></select>"},
        {"options close each other", u"<select><option>a<option>b</select>",
         u"<select><option>a</option><option>b</option></select>"},
        {"template holds table parts", u"<template><tr><td>a</td></tr></template>",
         u"<template><tr><td>a</td></tr></template>"},
        {"svg names keep their case",
         u"<svg viewbox=\"0 0 1 1\"><clippath/><foreignobject><b>x</b></foreignobject></svg>y",
         u"<svg viewBox=\"0 0 1 1\"><clipPath></clipPath><foreignObject><b>x</b></foreignObject>"
         u"</svg>y"},
        {"an HTML block leaves svg", u"<svg><p>x</svg>", u"<svg></svg><p>x</p>"},
        {"table parts outside a table are dropped", u"<td>x</td><tr>", u"x"},
    });
}

TEST(HtmlView, CharacterReferences) {
    expectBodies({
        {"plain", u"Data received. Thank you.", u"Data received. Thank you."},
        {"any named reference", u"Data received&period; Thank you&period;",
         u"Data received. Thank you."},
        {"markup characters", u"a &amp; b &lt;c&gt; &quot;q&quot;", u"a &amp; b &lt;c&gt; \"q\""},
        {"two code points, long names", u"&NotEqualTilde;&fjlig;&CounterClockwiseContourIntegral;",
         u"\u2242\u0338fj\u2233"},
        {"longest name first", u"&notin; &notit; &notin", u"\u2209 \u00ACit; \u00ACin"},
        {"named and numeric", u"&copy;&#169;&#xA9;&#Xa9;&COPY", u"\u00A9\u00A9\u00A9\u00A9\u00A9"},
        {"no-break space", u"x&nbsp;y\u00A0z", u"x&nbsp;y&nbsp;z"},
        {"unknown names stay", u"&unknown; & &;", u"&amp;unknown; &amp; &amp;;"},
        {"beyond the BMP", u"&#x1F600;&Afr;", u"\U0001F600\U0001D504"},
        {"null, out of range and surrogates", u"&#0;&#x110000;&#xD800;&#xDFFF;&#99999999999;",
         u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"C1 numbers mean windows-1252", u"&#x80;&#150;&#x81;", u"\u20AC\u2013\u0081"},
        {"digits missing", u"&#; &#x;", u"&amp;#; &amp;#x;"},
        {"in attributes", u"<a href=\"?a=1&copy=2&amp;b=&lt;\" title=&quot;x>y</a>",
         u"<a href=\"?a=1&amp;copy=2&amp;b=&lt;\" title=\"&quot;x\">y</a>"},
    });
}

TEST(HtmlView, NamedReferenceTableIsWholeAndSorted) {
    const auto entries = named_refs::entries();
    EXPECT_EQ(entries.size(), 2231u);
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return named_refs::nameOf(a) < named_refs::nameOf(b);
    }));
}

TEST(HtmlView, TagsAttributesAndInertContent) {
    expectBodies({
        {"names are lower-cased", u"<B CLASS=X>Data</B>", u"<b class=\"X\">Data</b>"},
        {"a form feed separates as a blank does", u"<b\fid=x>t</b>", u"<b id=\"x\">t</b>"},
        {"quotes of every kind", u"<p a='say \"hi\"' b=\"it's\" c=bare d>x</p>",
         u"<p a=\"say &quot;hi&quot;\" b=\"it's\" c=\"bare\" d=\"\">x</p>"},
        {"duplicate attributes", u"<div id=a ID=b>x</div>", u"<div id=\"a\">x</div>"},
        {"void elements", u"a<br/>b<img src=x><hr>", u"a<br>b<img src=\"x\"><hr>"},
        {"document wrappers go",
         u"<!DOCTYPE html><html><head></head><body class=a>Hi</body></html>", u"Hi"},
        {"line ends become LF", u"a\r\nb\rc\n", u"a\nb\nc\n"},
        {"comments", u"<!---->|<!-->|<!--->|<!--a--!>|<!-- b",
         u"<!---->|<!---->|<!---->|<!--a-->|<!-- b-->"},
        {"processing instruction", u"<?php echo 1 ?>", u"<!--?php echo 1 ?-->"},
        {"script text is written as it is", u"<script>if (a < b && c) alert(\"&amp;\")</script>",
         u"<script>if (a < b && c) alert(\"&amp;\")</script>"},
        {"script ends only at its own end tag", u"<SCRIPT>a</scriptx>b</Script >c",
         u"<script>a</scriptx>b</script>c"},
        {"noscript content is text", u"<noscript><b>&amp;</b></noscript>",
         u"<noscript><b>&amp;</b></noscript>"},
        {"pre and listing drop their first line break", u"<pre>\nx</pre><listing>\ny</listing>",
         u"<pre>x</pre><listing>y</listing>"},
        {"textarea decodes and drops its first line break", u"<textarea>\n&lt;b&gt;</textarea>",
         u"<textarea>&lt;b&gt;</textarea>"},
        {"tag cut off by the end", u"x<div class=\"a", u"x"},
        {"NUL is dropped from text, U+FFFD elsewhere",
         u"a\0b<p t=\"\0\"><!--\0--><script>\0</script>"s,
         u"ab<p t=\"\uFFFD\"><!--\uFFFD--><script>\uFFFD</script></p>"},
        {"lone surrogates pass through", u"\xD800x\xDC00", u"\xD800x\xDC00"},
    });
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
        EXPECT_EQ(narrow(view.readableText()), narrow(row.text)) << row.what;
    }
}

}  // namespace
}  // namespace harfpad::feedback
