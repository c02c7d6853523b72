#include "feedback/HtmlElements.h"

#include <algorithm>
#include <initializer_list>

namespace harfpad::feedback::html {

namespace {
bool among(std::u16string_view name, std::initializer_list<std::u16string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}
}  // namespace

bool isVoid(std::u16string_view name) {
    return among(name, {u"area", u"base", u"basefont", u"bgsound", u"br", u"col", u"embed",
                        u"frame", u"hr", u"img", u"input", u"keygen", u"link", u"meta", u"param",
                        u"source", u"track", u"wbr"});
}

bool isRawText(std::u16string_view name) {
    return among(name,
                 {u"script", u"style", u"xmp", u"iframe", u"noembed", u"noframes", u"plaintext"});
}

bool isEscapableRawText(std::u16string_view name) {
    return among(name, {u"textarea", u"title"});
}

bool isHeading(std::u16string_view name) {
    return among(name, {u"h1", u"h2", u"h3", u"h4", u"h5", u"h6"});
}

bool isSpecial(std::u16string_view name) {
    return isHeading(name) ||
           among(name,
                 {u"address",    u"applet",   u"area",       u"article",  u"aside",   u"base",
                  u"basefont",   u"bgsound",  u"blockquote", u"body",     u"br",      u"button",
                  u"caption",    u"center",   u"col",        u"colgroup", u"dd",      u"details",
                  u"dir",        u"div",      u"dl",         u"dt",       u"embed",   u"fieldset",
                  u"figcaption", u"figure",   u"footer",     u"form",     u"frame",   u"frameset",
                  u"head",       u"header",   u"hgroup",     u"hr",       u"html",    u"iframe",
                  u"img",        u"input",    u"keygen",     u"li",       u"link",    u"listing",
                  u"main",       u"marquee",  u"menu",       u"meta",     u"nav",     u"noembed",
                  u"noframes",   u"noscript", u"object",     u"ol",       u"p",       u"param",
                  u"plaintext",  u"pre",      u"script",     u"search",   u"section", u"select",
                  u"source",     u"style",    u"summary",    u"table",    u"tbody",   u"td",
                  u"template",   u"textarea", u"tfoot",      u"th",       u"thead",   u"title",
                  u"tr",         u"track",    u"ul",         u"wbr",      u"xmp"});
}

bool closesParagraph(std::u16string_view name) {
    return isHeading(name) ||
           among(name,
                 {u"address", u"article",   u"aside",   u"blockquote", u"center",   u"details",
                  u"dialog",  u"dir",       u"div",     u"dl",         u"fieldset", u"figcaption",
                  u"figure",  u"footer",    u"header",  u"hgroup",     u"main",     u"menu",
                  u"nav",     u"ol",        u"p",       u"search",     u"section",  u"summary",
                  u"ul",      u"pre",       u"listing", u"form",       u"li",       u"dd",
                  u"dt",      u"plaintext", u"table",   u"hr",         u"xmp"});
}

bool isBlock(std::u16string_view name) {
    return closesParagraph(name) || among(name, {u"tr", u"caption", u"tbody", u"thead", u"tfoot",
                                                 u"textarea", u"select", u"option"});
}

}  // namespace harfpad::feedback::html
