#include "keyboard/HeldModifiers.h"

namespace harfpad {

namespace {

bool heldOpensMenu(ModifierKeys held) {
    for (const ModifierKey& key : kModifierKeys)
        if ((held & key.bit) && key.opensMenu)
            return true;
    return false;
}

void addMask(std::vector<Keystroke>& keys) {
    keys.push_back({kMenuMaskKey, false});
    keys.push_back({kMenuMaskKey, true});
}

}  // namespace

std::vector<Keystroke> liftHeldModifiers(ModifierKeys held) {
    std::vector<Keystroke> keys;
    if (heldOpensMenu(held))
        addMask(keys);
    for (const ModifierKey& key : kModifierKeys)
        if (held & key.bit)
            keys.push_back({key.vk, true});
    return keys;
}

std::vector<Keystroke> restoreHeldModifiers(ModifierKeys held) {
    std::vector<Keystroke> keys;
    for (const ModifierKey& key : kModifierKeys)
        if (held & key.bit)
            keys.push_back({key.vk, false});
    if (heldOpensMenu(held))
        addMask(keys);
    return keys;
}

std::vector<Keystroke> withHeldModifiersLifted(ModifierKeys held, std::span<const Keystroke> keys) {
    std::vector<Keystroke> all = liftHeldModifiers(held);
    all.insert(all.end(), keys.begin(), keys.end());
    const std::vector<Keystroke> restore = restoreHeldModifiers(held);
    all.insert(all.end(), restore.begin(), restore.end());
    return all;
}

}  // namespace harfpad
