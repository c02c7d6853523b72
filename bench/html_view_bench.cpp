// Time per byte of the reply view (parse, then serialise the body), for replies of 1 KiB to
// 1 MiB: an ordinary reply repeated, and the replies built to be slow.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "SlowReplies.h"
#include "feedback/HtmlView.h"

namespace {

using harfpad::feedback::HtmlView;

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

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("BM_Ordinary", run, harfpad::slow_replies::kOrdinary.make)
        ->RangeMultiplier(4)
        ->Range(1 << 10, 1 << 20)
        ->Unit(benchmark::kMicrosecond);
    for (const auto& reply : harfpad::slow_replies::kSlowReplies) {
        benchmark::RegisterBenchmark((std::string("BM_Slow/") + reply.name).c_str(), run,
                                     reply.make)
            ->Arg(1 << 20)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
