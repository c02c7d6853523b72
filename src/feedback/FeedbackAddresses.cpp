#include "feedback/FeedbackAddresses.h"

namespace harfpad::feedback {

std::u16string hostOf(std::u16string_view url) {
    const std::size_t scheme = url.find(u"://");
    std::u16string_view rest = scheme == std::u16string_view::npos ? url : url.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of(u"/?#"));
    if (const std::size_t at = rest.rfind(u'@'); at != std::u16string_view::npos)
        rest = rest.substr(at + 1);
    if (!rest.empty() && rest.front() == u'[') {  // IPv6 literal
        const std::size_t close = rest.find(u']');
        return std::u16string(
            rest.substr(0, close == std::u16string_view::npos ? rest.size() : close + 1));
    }
    return std::u16string(rest.substr(0, rest.find(u':')));
}

bool isPlaceholderAddress(std::u16string_view url) {
    std::u16string host = hostOf(url);
    for (char16_t& c : host)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    if (!host.empty() && host.back() == u'.')  // the root label
        host.pop_back();
    return host == u"invalid" || host.ends_with(u".invalid");
}

}  // namespace harfpad::feedback
