#include "KeyScript.h"

#include <charconv>
#include <ostream>
#include <set>
#include <stdexcept>

#include "keyinput/RecordingKeyInput.h"
#include "keyboard/clsKeys.h"

namespace harfpad::tools {
namespace {

constexpr const char* kUsage =
    "usage: keyscript send SCRIPT\n"
    "       keyscript string TEXT [doevents]\n"
    "       keyscript key TEXT [hold] [release]\n"
    "       keyscript vk CODE [hold] [release] [compatible]\n"
    "       keyscript locks\n";

struct UsageError {};

// The optional flag words after the operand: each known word at most once, in any order.
std::set<std::string> readFlags(const std::vector<std::string>& args, std::size_t first,
                                const std::set<std::string>& known) {
    std::set<std::string> flags;
    for (std::size_t i = first; i < args.size(); ++i)
        if (!known.count(args[i]) || !flags.insert(args[i]).second)
            throw UsageError{};
    return flags;
}

int parseCode(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end)
        throw UsageError{};
    return value;
}

void play(clsKeys& keys, const std::vector<std::string>& args, std::ostream& out) {
    if (args.empty())
        throw UsageError{};
    const std::string& op = args[0];
    if (op == "locks") {
        readFlags(args, 1, {});
        bool caps = false, num = false, scroll = false;
        keys.GetLockStatus(caps, num, scroll);
        out << "locks " << caps << " " << num << " " << scroll << "\n";
        return;
    }
    if (args.size() < 2)
        throw UsageError{};
    if (op == "send") {
        readFlags(args, 2, {});
        keys.PressSendKeys(fromUtf8(args[1]));
    } else if (op == "string") {
        const auto flags = readFlags(args, 2, {"doevents"});
        keys.PressString(fromUtf8(args[1]), flags.count("doevents") > 0);
    } else if (op == "key") {
        const auto flags = readFlags(args, 2, {"hold", "release"});
        keys.PressKey(fromUtf8(args[1]), flags.count("hold") > 0, flags.count("release") > 0);
    } else if (op == "vk") {
        const int code = parseCode(args[1]);
        const auto flags = readFlags(args, 2, {"hold", "release", "compatible"});
        keys.PressKeyVK(code, flags.count("hold") > 0, flags.count("release") > 0,
                        flags.count("compatible") > 0);
    } else {
        throw UsageError{};
    }
}

}  // namespace

std::u16string fromUtf8(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            cp = lead & 0x07;
        }
        bool ok = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; ok && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            ok = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            ok = false;
        if (!ok) {
            result.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return result;
}

int runKeyScript(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    fakes::RecordingKeyInput system;
    // Each event is printed as it happens, so a long play streams instead of piling up.
    system.record = false;
    system.onEvent = [&out](const fakes::KeyEvent& event) {
        out << fakes::describe(event) << "\n";
    };
    clsKeys keys(system, system);
    int status = 0;
    std::string failure;
    try {
        play(keys, args, out);
    } catch (const UsageError&) {
        err << kUsage;
        return 2;
    } catch (const std::invalid_argument&) {
        status = 1;
        failure = "invalid-argument";
    } catch (const std::overflow_error&) {
        status = 1;
        failure = "overflow";
    }
    if (status != 0)
        out << "error " << failure << "\n";
    return status;
}

}  // namespace harfpad::tools
