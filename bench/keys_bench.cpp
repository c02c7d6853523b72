// Time per script character of PressSendKeys, for generated scripts of growing length played
// into a sink that answers like the US layout and drops every event.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "keyinput/UsKeyboardModel.h"
#include "keyboard/clsKeys.h"

namespace {

class NullKeyInput final : public harfpad::IKeyInputApi, public harfpad::IAnsiCodePage {
  public:
    std::int16_t vkKeyScan(char c) override { return harfpad::fakes::us_layout::vkKeyScan(c); }
    std::uint32_t mapVirtualKey(std::uint32_t code, std::uint32_t mode) override {
        return harfpad::fakes::us_layout::mapVirtualKey(code, mode);
    }
    void keybdEvent(std::uint8_t vk, std::uint8_t, std::uint32_t) override {
        benchmark::DoNotOptimize(vk);
    }
    std::int16_t getKeyState(int) override { return 0; }
    void sleep(std::uint32_t) override {}
    void doEvents() override {}
    std::uint32_t toAnsi(char16_t ch) override { return harfpad::fakes::us_layout::toCp1252(ch); }
};

// Letters, modifiers over one character or a group, braced names and characters with small
// repeat counts, and Enter, mixed at random (fixed seed) up to `length` characters.
std::u16string makeScript(std::size_t length) {
    static const char16_t* const kPieces[] = {
        u"a",   u"Q",      u"7",     u"+b",     u"^c",      u"%d",         u"+(xyz)",
        u"~",   u"{LEFT}", u"{a 3}", u"{BS 2}", u"^+e",     u"+{HOME}",    u"{F10}",
        u"{+}", u"{}}",    u" ",     u"(fg)",   u"{ENTER}", u"{delete 1}",
    };
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::u16string script;
    while (script.size() < length) script += kPieces[pick(random)];
    script.resize(length);
    return script;
}

void BM_PressSendKeys(benchmark::State& state) {
    const std::u16string script = makeScript(static_cast<std::size_t>(state.range(0)));
    NullKeyInput sink;
    harfpad::clsKeys keys(sink, sink);
    for (auto _ : state) keys.PressSendKeys(script);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(script.size()));
    // Seconds per script character, shown as ns by the console reporter's scaling.
    state.counters["per_char"] = benchmark::Counter(
        static_cast<double>(script.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PressSendKeys)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
