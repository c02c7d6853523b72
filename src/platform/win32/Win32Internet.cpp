#include "platform/win32/Win32Internet.h"

#include "platform/win32/TextConv.h"

namespace harfpad::win32 {

InternetHandle Win32Internet::keep(HINTERNET handle) {
    if (!handle)
        return 0;
    const auto key = reinterpret_cast<InternetHandle>(handle);
    open_[key] = UniqueInternet(handle);
    return key;
}

InternetHandle Win32Internet::open(const std::u16string& agent, std::uint32_t accessType,
                                   std::uint32_t flags) {
    const std::string ansiAgent = toAnsi(toWide(agent));
    return keep(::InternetOpenA(ansiAgent.c_str(), accessType, nullptr, nullptr, flags));
}

InternetHandle Win32Internet::openUrl(InternetHandle internet, const std::u16string& url,
                                      std::uint32_t flags) {
    const auto it = open_.find(internet);
    if (it == open_.end())
        return 0;
    const std::string ansiUrl = toAnsi(toWide(url));
    return keep(::InternetOpenUrlA(it->second.get(), ansiUrl.c_str(), nullptr, 0, flags, 0));
}

void Win32Internet::close(InternetHandle handle) {
    open_.erase(handle);
}

}  // namespace harfpad::win32
