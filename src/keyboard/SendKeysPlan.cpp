#include "keyboard/SendKeysPlan.h"

#include "keyboard/HeldModifiers.h"

#include <array>
#include <stdexcept>

namespace harfpad {

namespace {

constexpr std::uint16_t kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;

struct NamedKey {
    std::u16string_view name;  // upper case
    std::uint16_t vk;
};
constexpr std::array<NamedKey, 6> kNamedKeys = {{
    {u"ENTER", 0x0D},
    {u"TAB", 0x09},
    {u"BACKSPACE", 0x08},
    {u"BS", 0x08},
    {u"BKSP", 0x08},
    {u"ESC", 0x1B},
}};

char16_t upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool sameName(std::u16string_view a, std::u16string_view upperName) {
    if (a.size() != upperName.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upperName[i])
            return false;
    return true;
}

// One item of the text: a named key or a character.
struct Item {
    bool named;
    std::uint16_t value;
};

std::vector<Item> readItems(std::u16string_view keys) {
    std::vector<Item> items;
    items.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != u'{') {
            items.push_back({false, keys[i]});
            continue;
        }
        // "{}}" and "{{}" brace a brace: the closing brace is searched from the second unit on.
        const std::size_t close = keys.find(u'}', i + 2);
        if (close == std::u16string_view::npos)
            throw std::invalid_argument("unclosed brace in send-keys text");
        const std::u16string_view name = keys.substr(i + 1, close - i - 1);
        if (name.size() == 1) {
            items.push_back({false, name[0]});
        } else {
            const NamedKey* found = nullptr;
            for (const NamedKey& key : kNamedKeys)
                if (sameName(name, key.name))
                    found = &key;
            if (!found)
                throw std::invalid_argument("unknown key name in send-keys text");
            items.push_back({true, found->vk});
        }
        i = close;
    }
    return items;
}

void tap(std::vector<PlannedKey>& plan, std::uint16_t vk) {
    plan.push_back({vk, false});
    plan.push_back({vk, true});
}

void planCharacter(KeystrokePlan& whole, char16_t ch, ILayoutKeyLookup& layout) {
    std::vector<PlannedKey>& plan = whole.keys;
    const std::int16_t scan = layout.vkKeyScan(ch);
    const auto vk = static_cast<std::uint16_t>(scan & 0xFF);
    const unsigned shifts = (static_cast<std::uint16_t>(scan) >> 8) & 0xFF;
    // -1, or a state the layout needs that we cannot press (kana and the like).
    if (scan == -1 || vk == 0xFF || (shifts & ~7u) != 0) {
        ++whole.unproducible;
        return;
    }
    constexpr std::array<std::pair<unsigned, std::uint16_t>, 3> kModifiers = {{
        {1, kVkShift},
        {2, kVkControl},
        {4, kVkMenu},
    }};
    for (const auto& [bit, modifier] : kModifiers)
        if (shifts & bit)
            plan.push_back({modifier, false});
    tap(plan, vk);
    for (auto it = kModifiers.rbegin(); it != kModifiers.rend(); ++it)
        if (shifts & it->first)
            plan.push_back({it->second, true});
}

}  // namespace

KeystrokePlan planSendKeys(std::u16string_view keys, ILayoutKeyLookup& layout) {
    const std::vector<Item> items = readItems(keys);
    KeystrokePlan plan;
    plan.keys.reserve(items.size() * 2);
    for (const Item& item : items) {
        if (item.named)
            tap(plan.keys, item.value);
        else
            planCharacter(plan, static_cast<char16_t>(item.value), layout);
    }
    return plan;
}

namespace {
class SenderLayout final : public ILayoutKeyLookup {
  public:
    explicit SenderLayout(IKeystrokeSender& sender) : sender_(sender) {}
    std::int16_t vkKeyScan(char16_t ch) override { return sender_.vkKeyScan(ch); }

  private:
    IKeystrokeSender& sender_;
};
}  // namespace

void SendKeys(IKeystrokeSender& sender, std::u16string_view keys, bool wait) {
    SenderLayout layout(sender);
    const KeystrokePlan plan = planSendKeys(keys, layout);
    if (plan.unproducible > 0)
        sender.beep();
    if (plan.keys.empty())
        return;
    // What the user holds is read last, so that it is as fresh as it can be.
    sender.send(withHeldModifiersLifted(sender.heldModifiers(), plan.keys), wait);
}

}  // namespace harfpad
