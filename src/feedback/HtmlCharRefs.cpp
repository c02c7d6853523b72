#include "feedback/HtmlCharRefs.h"

#include <algorithm>
#include <array>

namespace harfpad::feedback {

namespace {

struct NamedRef {
    std::u16string_view name;
    char32_t codePoint;
    bool legacy;  // also recognised without the ';'
};

// U+00A0 to U+00FF, in order; all of them are also recognised without ';'.
constexpr std::array<std::u16string_view, 96> kLatin1 = {
    u"nbsp",   u"iexcl",  u"cent",   u"pound",  u"curren", u"yen",    u"brvbar", u"sect",
    u"uml",    u"copy",   u"ordf",   u"laquo",  u"not",    u"shy",    u"reg",    u"macr",
    u"deg",    u"plusmn", u"sup2",   u"sup3",   u"acute",  u"micro",  u"para",   u"middot",
    u"cedil",  u"sup1",   u"ordm",   u"raquo",  u"frac14", u"frac12", u"frac34", u"iquest",
    u"Agrave", u"Aacute", u"Acirc",  u"Atilde", u"Auml",   u"Aring",  u"AElig",  u"Ccedil",
    u"Egrave", u"Eacute", u"Ecirc",  u"Euml",   u"Igrave", u"Iacute", u"Icirc",  u"Iuml",
    u"ETH",    u"Ntilde", u"Ograve", u"Oacute", u"Ocirc",  u"Otilde", u"Ouml",   u"times",
    u"Oslash", u"Ugrave", u"Uacute", u"Ucirc",  u"Uuml",   u"Yacute", u"THORN",  u"szlig",
    u"agrave", u"aacute", u"acirc",  u"atilde", u"auml",   u"aring",  u"aelig",  u"ccedil",
    u"egrave", u"eacute", u"ecirc",  u"euml",   u"igrave", u"iacute", u"icirc",  u"iuml",
    u"eth",    u"ntilde", u"ograve", u"oacute", u"ocirc",  u"otilde", u"ouml",   u"divide",
    u"oslash", u"ugrave", u"uacute", u"ucirc",  u"uuml",   u"yacute", u"thorn",  u"yuml",
};

constexpr NamedRef kOthers[] = {
    {u"amp", u'&', true},       {u"AMP", u'&', true},       {u"lt", u'<', true},
    {u"LT", u'<', true},        {u"gt", u'>', true},        {u"GT", u'>', true},
    {u"quot", u'"', true},      {u"QUOT", u'"', true},      {u"COPY", 0xA9, true},
    {u"REG", 0xAE, true},       {u"apos", u'\'', false},    {u"Tab", u'\t', false},
    {u"NewLine", u'\n', false}, {u"hellip", 0x2026, false}, {u"mdash", 0x2014, false},
    {u"ndash", 0x2013, false},  {u"lsquo", 0x2018, false},  {u"rsquo", 0x2019, false},
    {u"sbquo", 0x201A, false},  {u"ldquo", 0x201C, false},  {u"rdquo", 0x201D, false},
    {u"bdquo", 0x201E, false},  {u"bull", 0x2022, false},   {u"euro", 0x20AC, false},
    {u"trade", 0x2122, false},  {u"larr", 0x2190, false},   {u"uarr", 0x2191, false},
    {u"rarr", 0x2192, false},   {u"darr", 0x2193, false},   {u"harr", 0x2194, false},
    {u"ensp", 0x2002, false},   {u"emsp", 0x2003, false},   {u"thinsp", 0x2009, false},
    {u"zwnj", 0x200C, false},   {u"zwj", 0x200D, false},    {u"lrm", 0x200E, false},
    {u"rlm", 0x200F, false},    {u"dagger", 0x2020, false}, {u"Dagger", 0x2021, false},
    {u"permil", 0x2030, false}, {u"prime", 0x2032, false},  {u"Prime", 0x2033, false},
    {u"lsaquo", 0x2039, false}, {u"rsaquo", 0x203A, false}, {u"minus", 0x2212, false},
    {u"infin", 0x221E, false},  {u"ne", 0x2260, false},     {u"le", 0x2264, false},
    {u"ge", 0x2265, false},     {u"hearts", 0x2665, false}, {u"OElig", 0x152, false},
    {u"oelig", 0x153, false},   {u"Scaron", 0x160, false},  {u"scaron", 0x161, false},
    {u"Yuml", 0x178, false},    {u"fnof", 0x192, false},    {u"circ", 0x2C6, false},
    {u"tilde", 0x2DC, false},
};

// Numeric references to C1 controls mean the windows-1252 character of that byte.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
};

constexpr std::size_t kLongestName = 7;

bool isAsciiAlnum(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

const NamedRef* findNamed(std::u16string_view name) {
    static const auto table = [] {
        std::array<NamedRef, 96 + std::size(kOthers)> all{};
        for (std::size_t i = 0; i < kLatin1.size(); ++i)
            all[i] = {kLatin1[i], static_cast<char32_t>(0xA0 + i), true};
        for (std::size_t i = 0; i < std::size(kOthers); ++i) all[96 + i] = kOthers[i];
        return all;
    }();
    for (const NamedRef& ref : table) {
        if (ref.name == name)
            return &ref;
    }
    return nullptr;
}

char32_t checkedNumeric(char32_t value) {
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0xFFFD;
    if (value >= 0x80 && value <= 0x9F)
        return kWindows1252[value - 0x80];
    return value;
}

bool decodeNumeric(std::u16string_view text, std::size_t& pos, std::u16string& out) {
    std::size_t i = pos + 2;  // after "&#"
    const bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
    if (hex)
        ++i;
    const std::size_t digitsStart = i;
    char32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit =
            hex ? hexValue(text[i]) : (text[i] >= u'0' && text[i] <= u'9' ? text[i] - u'0' : -1);
        if (digit < 0)
            break;
        if (value <= 0x10FFFF)  // saturates beyond the last code point
            value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (i == digitsStart)
        return false;
    if (i < text.size() && text[i] == u';')
        ++i;
    appendCodePoint(out, checkedNumeric(value));
    pos = i;
    return true;
}

bool decodeNamed(std::u16string_view text, std::size_t& pos, bool inAttribute,
                 std::u16string& out) {
    std::size_t end = pos + 1;
    while (end < text.size() && isAsciiAlnum(text[end])) ++end;
    const std::u16string_view run = text.substr(pos + 1, end - pos - 1);
    if (run.empty())
        return false;
    if (end < text.size() && text[end] == u';') {
        if (const NamedRef* ref = findNamed(run)) {
            appendCodePoint(out, ref->codePoint);
            pos = end + 1;
            return true;
        }
    }
    // Without the ';': the longest legacy name the run starts with.
    for (std::size_t length = std::min(run.size(), kLongestName); length > 0; --length) {
        const NamedRef* ref = findNamed(run.substr(0, length));
        if (!ref || !ref->legacy)
            continue;
        const std::size_t after = pos + 1 + length;
        if (inAttribute && after < text.size() &&
            (isAsciiAlnum(text[after]) || text[after] == u'='))
            return false;
        appendCodePoint(out, ref->codePoint);
        pos = after;
        return true;
    }
    return false;
}

}  // namespace

void appendCodePoint(std::u16string& out, char32_t codePoint) {
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
        out += static_cast<char16_t>(codePoint);
    }
}

void decodeCharRef(std::u16string_view text, std::size_t& pos, bool inAttribute,
                   std::u16string& out) {
    const bool numeric = pos + 1 < text.size() && text[pos + 1] == u'#';
    if (numeric ? decodeNumeric(text, pos, out) : decodeNamed(text, pos, inAttribute, out))
        return;
    out += u'&';
    ++pos;
}

}  // namespace harfpad::feedback
