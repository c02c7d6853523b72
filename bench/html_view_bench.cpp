// Time per byte of the reply view (parse, then serialise the body), for replies of 1 KiB to
// 1 MiB: an ordinary reply repeated, and replies built to be slow.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>

#include "feedback/HtmlView.h"

namespace {

using harfpad::feedback::HtmlView;

std::u16string repeatTo(std::size_t length, const std::function<std::u16string(int)>& piece) {
    std::u16string out;
    for (int i = 0; out.size() < length; ++i) out += piece(i);
    out.resize(length);
    return out;
}

std::u16string number(int i) {
    std::u16string out;
    for (const char c : std::to_string(i)) out += static_cast<char16_t>(c);
    return out;
}

// Headings, paragraphs, a table, lists, links, formatting, references and a script.
std::u16string ordinary(std::size_t length) {
    return repeatTo(length, [](int i) {
        return u"<h2>Feedback " + number(i) +
               u"</h2><p class=\"note\">Your message &amp; details were <b>saved</b> at "
               u"<a href=\"/log?id=" +
               number(i) +
               u"&amp;v=2\">the log</a>.<p>Next<table><tr><td>Name<td>&#1593;&#1604;&#1610;"
               u"</table><ul><li>one<li>two</ul><script>if (a < b) x();</script>\n";
    });
}

std::u16string deepNesting(std::size_t length) {
    return repeatTo(length, [](int) { return std::u16string(u"<div>"); });
}

std::u16string manyListItems(std::size_t length) {
    std::u16string spans;
    for (int i = 0; i < 300; ++i) spans += u"<span>";
    return spans + repeatTo(length - spans.size(), [](int) { return std::u16string(u"<li>"); });
}

std::u16string manyAttributes(std::size_t length) {
    return u"<b " + repeatTo(length - 4, [](int i) { return u"a" + number(i) + u"=1 "; }) + u">";
}

std::u16string unclosedFormatting(std::size_t length) {
    return repeatTo(length, [](int i) { return u"<p><b id=" + number(i % 100) + u"><i><u>x</p>"; });
}

void run(benchmark::State& state, std::u16string (*make)(std::size_t)) {
    const std::u16string reply = make(static_cast<std::size_t>(state.range(0)));
    HtmlView view;
    for (auto _ : state) {
        view.setBodyHtml(reply);
        benchmark::DoNotOptimize(view.bodyHtml());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(reply.size()));
    // Seconds per byte, shown as ns by the console reporter's scaling.
    state.counters["per_byte"] = benchmark::Counter(
        static_cast<double>(reply.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Ordinary(benchmark::State& state) {
    run(state, ordinary);
}
void BM_DeepNesting(benchmark::State& state) {
    run(state, deepNesting);
}
void BM_ManyListItems(benchmark::State& state) {
    run(state, manyListItems);
}
void BM_ManyAttributes(benchmark::State& state) {
    run(state, manyAttributes);
}
void BM_UnclosedFormatting(benchmark::State& state) {
    run(state, unclosedFormatting);
}

BENCHMARK(BM_Ordinary)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeepNesting)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyListItems)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyAttributes)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnclosedFormatting)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
