// Replies built to make an HTML parser slow, at any length: the benchmark times them, the native
// tests hold their parse time linear, and the fuzzer starts from 1 MiB of each.
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
};

}  // namespace harfpad::slow_replies
