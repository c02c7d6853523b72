// The keystroke path of the fake system: keys are looked up on whichever layout the fake layout
// switcher has made active, every send is recorded with that layout, and the whole stream is
// played against the keys the user's hands hold, as the input stream of Windows plays it.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fakes/FakeKeyboardLayout.h"
#include "fakes/KeyboardLayouts.h"
#include "platform/KeystrokeApi.h"

namespace harfpad::fakes {

class FakeKeystrokeSender final : public IKeystrokeSender {
  public:
    explicit FakeKeystrokeSender(const FakeKeyboardLayout& layouts) : layouts_(layouts) {}

    struct Send {
        std::vector<Keystroke> keys;
        bool wait;
        std::string layout;  // active when they were sent
    };
    std::vector<Send> sends;
    int beeps = 0;
    std::function<void()> onSend;  // runs as the keys go out
    ModifierKeys hands = 0;        // the modifier keys the user holds down

    std::int16_t vkKeyScan(char16_t ch) override {
        return layouts::vkKeyScan(layouts_.active.name, ch);
    }
    // learn.microsoft.com, GetAsyncKeyState: "whether a key is up or down at the time the
    // function is called".
    ModifierKeys heldModifiers() override { return hands; }
    void send(std::span<const Keystroke> keys, bool wait) override {
        if (onSend)
            onSend();
        if (!keys.empty())
            sends.push_back({{keys.begin(), keys.end()}, wait, layouts_.active.name});
    }
    void beep() override { ++beeps; }
    // A keybd_event of clsKeys: the same input stream, in its place among the sends.
    void injected(std::uint16_t vk, bool keyUp) {
        send(std::vector<Keystroke>{{vk, keyUp}}, false);
    }

    // What the whole stream did to an empty edit box and to the system.
    struct Effects {
        std::u16string typed;
        std::vector<std::string> shortcuts;  // keys that reached the box under Ctrl, Alt or Win
        int menusOpened = 0;                 // Alt or Windows let go with no key since its press
        ModifierKeys modifiersLeftDown = 0;
        std::size_t otherKeysLeftDown = 0;
    };
    Effects effects() const {
        Effects out;
        // learn.microsoft.com, SendInput: it "does not reset the keyboard's current state. Any
        // keys that are already pressed when the function is called might interfere".
        ModifierKeys down = hands;
        ModifierKeys pressedAlone = down & menuKeys();  // held since before, nothing between
        std::set<std::uint16_t> otherKeys;
        for (const Send& s : sends) {
            for (const Keystroke& key : s.keys) {
                const ModifierKeys bit = modifierBit(key.vk);
                if (key.keyUp) {
                    // learn.microsoft.com, "Keyboard access to menus": pressing and releasing
                    // Alt selects the menu bar; the Windows key alone opens Start
                    // (support.microsoft.com, "Keyboard shortcuts in Windows").
                    if (bit & pressedAlone)
                        ++out.menusOpened;
                    down &= ~bit;
                    pressedAlone &= ~bit;
                    otherKeys.erase(key.vk);
                    continue;
                }
                pressedAlone = 0;  // any key going down spoils an Alt or Windows press
                if (bit) {
                    down |= bit;
                    pressedAlone = bit & menuKeys();
                    continue;
                }
                otherKeys.insert(key.vk);
                play(key.vk, down, s.layout, out);
            }
        }
        out.modifiersLeftDown = down;
        out.otherKeysLeftDown = otherKeys.size();
        return out;
    }
    std::u16string typed() const { return effects().typed; }

  private:
    // learn.microsoft.com, "Virtual-Key Codes": VK_LSHIFT to VK_RMENU, then VK_LWIN and
    // VK_RWIN, one bit each in heldModifiers' order; Alt and the Windows keys open menus.
    static constexpr std::uint16_t kSides[] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0x5B, 0x5C};
    static ModifierKeys modifierBit(std::uint16_t vk) {
        for (unsigned i = 0; i < 8; ++i)
            if (kSides[i] == vk)
                return 1u << i;
        // VK_SHIFT, VK_CONTROL and VK_MENU stand for the left key.
        return vk >= 0x10 && vk <= 0x12 ? 1u << (2 * (vk - 0x10)) : 0;
    }
    static ModifierKeys menuKeys() { return 0xF0; }
    static void play(std::uint16_t vk, ModifierKeys down, const std::string& layout, Effects& out) {
        constexpr ModifierKeys kShift = 0x3, kCommand = 0xFC;  // Ctrl, Alt or Windows
        constexpr std::uint16_t kVkBack = 0x08, kVkEnter = 0x0D;
        // learn.microsoft.com, "Virtual-Key Codes": 0xE8 is unassigned; nothing acts on it.
        if (vk == 0xE8)
            return;
        if (down & kCommand) {
            out.shortcuts.push_back("+" + std::to_string(vk));
            return;
        }
        if (vk == kVkEnter) {
            out.typed += u"\r\n";
        } else if (vk == kVkBack) {
            if (!out.typed.empty())
                out.typed.pop_back();
        } else if (const char16_t c = layouts::characterOf(layout, vk, (down & kShift) != 0)) {
            // The B key of the Arabic layout types lam and alef together.
            out.typed += c == u'\uFEFB' ? std::u16string(u"\u0644\u0627") : std::u16string(1, c);
        }
    }

    const FakeKeyboardLayout& layouts_;
};

}  // namespace harfpad::fakes
