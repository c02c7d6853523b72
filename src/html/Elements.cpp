#include "html/Elements.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace harfpad::html {

namespace {

struct Named {
    std::u16string_view name;
    Tag tag;
};

constexpr auto kNamed = [] {
    std::array<Named, static_cast<std::size_t>(Tag::xmp)> named{{
#define HARFPAD_TAG_NAME(id, text) {u"" text, Tag::id},
        HARFPAD_HTML_TAGS(HARFPAD_TAG_NAME)
#undef HARFPAD_TAG_NAME
    }};
    std::sort(named.begin(), named.end(),
              [](const Named& a, const Named& b) { return a.name < b.name; });
    return named;
}();

using enum Tag;

struct Membership {
    Group group;
    std::initializer_list<Tag> tags;
};

constexpr std::initializer_list<Tag> kHeadings = {h1, h2, h3, h4, h5, h6};

const std::array<std::uint16_t, kTagCount> kGroups = [] {
    const Membership rows[] = {
        {Group::voidElement,
         {area, base, basefont, bgsound, br, col, embed, frame, hr, img, input, keygen, link, meta,
          param, source, track, wbr}},
        {Group::rawText, {style, script, xmp, iframe, noembed, noframes, plaintext, noscript}},
        {Group::special,
         {address,    applet,   area,   article, aside,     base,     basefont, bgsound,
          blockquote, body,     br,     button,  caption,   center,   col,      colgroup,
          dd,         details,  dir,    div,     dl,        dt,       embed,    fieldset,
          figcaption, figure,   footer, form,    frame,     frameset, h1,       h2,
          h3,         h4,       h5,     h6,      head,      header,   hgroup,   hr,
          html,       iframe,   img,    input,   keygen,    li,       link,     listing,
          main,       marquee,  menu,   meta,    nav,       noembed,  noframes, noscript,
          object,     ol,       p,      param,   plaintext, pre,      script,   search,
          section,    select,   source, style,   summary,   table,    tbody,    td,
          template_,  textarea, tfoot,  th,      thead,     title,    tr,       track,
          ul,         wbr,      xmp}},
        {Group::formatting, {a, b, big, code, em, font, i, nobr, s, small, strike, strong, tt, u}},
        {Group::closesParagraph,
         {address, article,  aside,      blockquote, center,  details, dialog, dir,  div,
          dl,      fieldset, figcaption, figure,     footer,  header,  hgroup, main, menu,
          nav,     ol,       p,          search,     section, summary, ul}},
        {Group::closedByEndTag,
         {address, article, aside,    blockquote, button, center, details, dialog,  dir,
          div,     dl,      fieldset, figcaption, figure, footer, header,  hgroup,  listing,
          main,    menu,    nav,      ol,         pre,    search, section, summary, ul}},
        {Group::heading, kHeadings},
        {Group::impliedEnd, {dd, dt, li, optgroup, option, p, rb, rp, rt, rtc}},
        {Group::tablePart, {caption, colgroup, tbody, td, tfoot, th, thead, tr}},
        {Group::scopeBoundary, {applet, caption, html, table, td, th, marquee, object, template_}},
        {Group::leavesForeign,
         {b,     big,   blockquote, body,   br,   center, code,  dd, div,  dl,   dt,
          em,    embed, h1,         h2,     h3,   h4,     h5,    h6, head, hr,   i,
          img,   li,    listing,    menu,   meta, nobr,   ol,    p,  pre,  ruby, s,
          small, span,  strike,     strong, sub,  sup,    table, tt, u,    ul,   var}},
        {Group::headContent,
         {base, basefont, bgsound, link, meta, noframes, script, style, template_, title}},
    };
    std::array<std::uint16_t, kTagCount> groups{};
    for (const Membership& row : rows) {
        for (const Tag tag : row.tags)
            groups[static_cast<std::size_t>(tag)] |= static_cast<std::uint16_t>(row.group);
    }
    return groups;
}();

}  // namespace

Tag tagOf(std::u16string_view lowerCaseName) {
    // The names that start with each letter, found once: a lookup then searches a handful.
    static const auto kByLetter = [] {
        std::array<std::pair<std::size_t, std::size_t>, 26> ranges{};
        for (std::size_t i = kNamed.size(); i-- > 0;) {
            auto& range = ranges[static_cast<std::size_t>(kNamed[i].name[0] - u'a')];
            range.first = i;
            if (range.second == 0)
                range.second = i + 1;
        }
        return ranges;
    }();
    if (lowerCaseName.empty() || lowerCaseName[0] < u'a' || lowerCaseName[0] > u'z')
        return Tag::other;
    const auto [first, last] = kByLetter[static_cast<std::size_t>(lowerCaseName[0] - u'a')];
    const auto begin = kNamed.begin() + static_cast<std::ptrdiff_t>(first);
    const auto end = kNamed.begin() + static_cast<std::ptrdiff_t>(last);
    const auto found = std::lower_bound(
        begin, end, lowerCaseName,
        [](const Named& entry, std::u16string_view name) { return entry.name < name; });
    return found != end && found->name == lowerCaseName ? found->tag : Tag::other;
}

bool in(Tag tag, Group group) {
    return (kGroups[static_cast<std::size_t>(tag)] & static_cast<std::uint16_t>(group)) != 0;
}

}  // namespace harfpad::html
