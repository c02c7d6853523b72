// The element names the HTML parser and serialiser treat specially, as small numbers, and the
// groups they belong to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace harfpad::html {

// One row a tag: its name in code and in markup.
// clang-format off
#define HARFPAD_HTML_TAGS(X)                    \
    X(a, "a")                                   \
    X(address, "address")                       \
    X(annotation_xml, "annotation-xml")         \
    X(applet, "applet")                         \
    X(area, "area")                             \
    X(article, "article")                       \
    X(aside, "aside")                           \
    X(b, "b")                                   \
    X(base, "base")                             \
    X(basefont, "basefont")                     \
    X(bgsound, "bgsound")                       \
    X(big, "big")                               \
    X(blockquote, "blockquote")                 \
    X(body, "body")                             \
    X(br, "br")                                 \
    X(button, "button")                         \
    X(caption, "caption")                       \
    X(center, "center")                         \
    X(code, "code")                             \
    X(col, "col")                               \
    X(colgroup, "colgroup")                     \
    X(dd, "dd")                                 \
    X(desc, "desc")                             \
    X(details, "details")                       \
    X(dialog, "dialog")                         \
    X(dir, "dir")                               \
    X(div, "div")                               \
    X(dl, "dl")                                 \
    X(dt, "dt")                                 \
    X(em, "em")                                 \
    X(embed, "embed")                           \
    X(fieldset, "fieldset")                     \
    X(figcaption, "figcaption")                 \
    X(figure, "figure")                         \
    X(font, "font")                             \
    X(footer, "footer")                         \
    X(foreignobject, "foreignobject")           \
    X(form, "form")                             \
    X(frame, "frame")                           \
    X(frameset, "frameset")                     \
    X(h1, "h1")                                 \
    X(h2, "h2")                                 \
    X(h3, "h3")                                 \
    X(h4, "h4")                                 \
    X(h5, "h5")                                 \
    X(h6, "h6")                                 \
    X(head, "head")                             \
    X(header, "header")                         \
    X(hgroup, "hgroup")                         \
    X(hr, "hr")                                 \
    X(html, "html")                             \
    X(i, "i")                                   \
    X(iframe, "iframe")                         \
    X(image, "image")                           \
    X(img, "img")                               \
    X(input, "input")                           \
    X(keygen, "keygen")                         \
    X(li, "li")                                 \
    X(link, "link")                             \
    X(listing, "listing")                       \
    X(main, "main")                             \
    X(malignmark, "malignmark")                 \
    X(marquee, "marquee")                       \
    X(math, "math")                             \
    X(menu, "menu")                             \
    X(meta, "meta")                             \
    X(mglyph, "mglyph")                         \
    X(mi, "mi")                                 \
    X(mn, "mn")                                 \
    X(mo, "mo")                                 \
    X(ms, "ms")                                 \
    X(mtext, "mtext")                           \
    X(nav, "nav")                               \
    X(nobr, "nobr")                             \
    X(noembed, "noembed")                       \
    X(noframes, "noframes")                     \
    X(noscript, "noscript")                     \
    X(object, "object")                         \
    X(ol, "ol")                                 \
    X(optgroup, "optgroup")                     \
    X(option, "option")                         \
    X(p, "p")                                   \
    X(param, "param")                           \
    X(plaintext, "plaintext")                   \
    X(pre, "pre")                               \
    X(rb, "rb")                                 \
    X(rp, "rp")                                 \
    X(rt, "rt")                                 \
    X(rtc, "rtc")                               \
    X(ruby, "ruby")                             \
    X(s, "s")                                   \
    X(script, "script")                         \
    X(search, "search")                         \
    X(section, "section")                       \
    X(select, "select")                         \
    X(small, "small")                           \
    X(source, "source")                         \
    X(span, "span")                             \
    X(strike, "strike")                         \
    X(strong, "strong")                         \
    X(style, "style")                           \
    X(sub, "sub")                               \
    X(summary, "summary")                       \
    X(sup, "sup")                               \
    X(svg, "svg")                               \
    X(table, "table")                           \
    X(tbody, "tbody")                           \
    X(td, "td")                                 \
    X(template_, "template")                    \
    X(textarea, "textarea")                     \
    X(tfoot, "tfoot")                           \
    X(th, "th")                                 \
    X(thead, "thead")                           \
    X(title, "title")                           \
    X(tr, "tr")                                 \
    X(track, "track")                           \
    X(tt, "tt")                                 \
    X(u, "u")                                   \
    X(ul, "ul")                                 \
    X(var, "var")                               \
    X(wbr, "wbr")                               \
    X(xmp, "xmp")
// clang-format on

enum class Tag : std::uint8_t {
    other,  // any name not listed
#define HARFPAD_TAG_ENUM(id, text) id,
    HARFPAD_HTML_TAGS(HARFPAD_TAG_ENUM)
#undef HARFPAD_TAG_ENUM
};

inline constexpr std::size_t kTagCount = static_cast<std::size_t>(Tag::xmp) + 1;

// The number of a lower-case tag name; Tag::other for names not listed.
Tag tagOf(std::u16string_view lowerCaseName);

enum class Group : std::uint16_t {
    voidElement = 1 << 0,      // no content and no end tag: <br>, <img>, ...
    rawText = 1 << 1,          // content written back unescaped: <script>, <style>, ...
    special = 1 << 2,          // an unmatched end tag does not close past these
    formatting = 1 << 3,       // reopened after blocks break them: <b>, <a>, ...
    closesParagraph = 1 << 4,  // start tags that end an open <p>
    closedByEndTag = 1 << 5,   // blocks whose end tag closes what is inside them
    heading = 1 << 6,
    impliedEnd = 1 << 7,      // ends where its parent ends: <p>, <li>, <option>, ...
    tablePart = 1 << 8,       // <caption>, <tbody>, <td>, ...: implied end inside a template
    scopeBoundary = 1 << 9,   // the limit of "in scope" for HTML elements
    leavesForeign = 1 << 10,  // start tags that end <svg> or <math> content
    headContent = 1 << 11,    // start tags handled by the head's rules wherever they appear
};

// Whether an HTML element of this number belongs to the group.
bool in(Tag tag, Group group);

// Names and keywords of markup compare without regard to ASCII case, and only ASCII case.
constexpr char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

}  // namespace harfpad::html
