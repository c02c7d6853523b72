// Replies built to make an HTML parser slow, at any length, and an ordinary one to compare them
// with: the benchmark times them, a test holds the engine's work linear in their length, and the
// fuzzer starts from 1 MiB of each slow one.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace harfpad::slow_replies {

// `piece(0)`, `piece(1)`, ... joined and cut to `length` code units.
inline std::u16string repeatTo(std::size_t length,
                               const std::function<std::u16string(int)>& piece) {
    std::u16string out;
    for (int i = 0; out.size() < length; ++i) out += piece(i);
    out.resize(length);
    return out;
}

inline std::u16string number(int i) {
    std::u16string out;
    for (const char c : std::to_string(i)) out += static_cast<char16_t>(c);
    return out;
}

struct SlowReply {
    const char* name;
    std::u16string (*make)(std::size_t length);
};

inline constexpr SlowReply kSlowReplies[] = {
    {"deep_nesting",
     [](std::size_t n) {
         return repeatTo(n, [](int i) { return std::u16string(i % 2 ? u"<span>" : u"<div>"); });
     }},
    // 300 open <span> that every <li> looks through for an open list item.
    {"list_items",
     [](std::size_t n) {
         std::u16string spans;
         for (int i = 0; i < 300; ++i) spans += u"<span>";
         return spans + repeatTo(n - spans.size(), [](int) { return std::u16string(u"<li>"); });
     }},
    {"attributes",
     [](std::size_t n) {
         return u"<b " + repeatTo(n - 4, [](int i) { return u"a" + number(i) + u"=1 "; }) + u">";
     }},
    {"unclosed_formatting",
     [](std::size_t n) {
         return repeatTo(n, [](int i) { return u"<p><b id=" + number(i % 100) + u"><i><u>x</p>"; });
     }},
    {"misnested",
     [](std::size_t n) {
         return repeatTo(
             n, [](int) { return std::u16string(u"<a><b><div><i>x</a></b><table>y<td>z</td>"); });
     }},
    // An SVG element named by half the reply, under which every end tag looks for its name.
    {"foreign_end_tags",
     [](std::size_t n) {
         const std::u16string open = u"<svg><" + std::u16string(n / 2, u'a') + u">";
         return open + repeatTo(n - open.size(), [](int) { return std::u16string(u"</x>"); });
     }},
    // A MathML annotation-xml with half the reply in attributes, then a comment after another.
    {"annotation_attributes",
     [](std::size_t n) {
         const std::u16string open =
             u"<math><annotation-xml " +
             repeatTo(n / 2, [](int i) { return u"a" + number(i) + u"=1 "; }) + u">";
         return open + repeatTo(n - open.size(), [](int) { return std::u16string(u"<!---->"); });
     }},
    // A <b> whose value is 1/256 of the reply, reopened in every paragraph after the first.
    {"long_formatting_attribute",
     [](std::size_t n) {
         const std::u16string open = u"<p><b a=\"" + std::u16string(n / 256, u'x') + u"\">x</p>";
         return open +
                repeatTo(n - open.size(), [](int) { return std::u16string(u"<p>xxxxxxxxx</p>"); });
     }},
};

// Headings, paragraphs, a table, lists, links, formatting, references and a script.
inline constexpr SlowReply kOrdinary = {
    "ordinary", [](std::size_t n) {
        return repeatTo(n, [](int i) {
            return u"<h2>Feedback " + number(i) +
                   u"</h2><p class=\"note\">Your message &amp; details were <b>saved</b> at "
                   u"<a href=\"/log?id=" +
                   number(i) +
                   u"&amp;v=2\">the log</a>.<p>Next<table><tr><td>Name<td>&#1593;&#1604;&#1610;"
                   u"</table><ul><li>one<li>two</ul><script>if (a < b) x();</script>\n";
        });
    }};

}  // namespace harfpad::slow_replies
