// Engine throughput: typed lines per second through the change and key handling, with the
// tape, the totals list, the captions and the tax lines updated as in the window; and the
// cost of one tape line on a short and on a very long tape.

#include "core/engine/engine.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace sumiplex::engine;

struct Calculator {
    Tape tape;
    Engine engine{tape, [] { return std::chrono::seconds(9 * 3600); }};
    std::size_t heard = 0;

    Calculator() {
        // A window listens to the tape and appends each piece to its own text.
        tape.addListener(Tape::Listener{
            .recorded = [this](const TapeEntry&,
                               std::u16string_view piece) { heard += piece.size(); },
            .noteChanged = {},
        });
    }

    void type(std::u16string_view keys) {
        for (const char16_t c : keys) {
            const View& v = engine.view();
            std::u16string text = v.input.text;
            const auto start = static_cast<std::size_t>(v.input.selStart);
            text.replace(start, static_cast<std::size_t>(v.input.selLength), 1, c);
            engine.typed(std::move(text), static_cast<int>(start) + 1);
            engine.keyReleased(Key::Other);
        }
    }
    void enter() { engine.keyReleased(Key::Enter); }
};

// One round of the mix counts six lines: "500+", "3*4" Enter then "+", "10%+", "/4" Enter,
// Back, Forward.
// A step on the total as the engine records one: "      1,000 +500= 1,500".
TapeEntry sampleStep() {
    TapeEntry e;
    e.kind = EntryKind::OnTotal;
    e.op = u'+';
    e.input = u"500+";
    e.shown = u"500";
    e.operand = sumiplex::Decimal::fromInt(500);
    e.before = sumiplex::Decimal::fromInt(1000);
    e.value = sumiplex::Decimal::fromInt(1500);
    return e;
}

constexpr int kLinesPerRound = 6;
// A fresh calculator now and then keeps the tape and the totals list at a realistic size.
constexpr int kRoundsPerCalculator = 20000;

void typeOneRound(Calculator& calc) {
    calc.type(u"500+");
    calc.type(u"3*4");
    calc.enter();
    calc.type(u"+");
    calc.type(u"10%+");
    calc.type(u"/4");
    calc.enter();
    calc.engine.back();
    calc.engine.forward();
    (void)calc.engine.takeRequests();
    benchmark::DoNotOptimize(calc.engine.view().total.caption.data());
}

void TypedLines(benchmark::State& state) {
    auto calc = std::make_unique<Calculator>();
    int rounds = 0;
    for (auto _ : state) {
        if (++rounds == kRoundsPerCalculator) {
            calc = std::make_unique<Calculator>();
            rounds = 0;
        }
        typeOneRound(*calc);
    }
    state.SetItemsProcessed(state.iterations() * kLinesPerRound);
    state.counters["lines/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * kLinesPerRound), benchmark::Counter::kIsRate);
}
BENCHMARK(TypedLines);

// The same typed lines on a tape that already holds state.range(0) lines: the cost of a
// line through the engine, tape append included, should not grow with the tape.
void TypedLinesOnLongTape(benchmark::State& state) {
    auto calc = std::make_unique<Calculator>();
    for (std::int64_t i = 0; i < state.range(0); ++i)
        calc->tape.record(sampleStep());
    for (auto _ : state) {
        typeOneRound(*calc);
    }
    state.counters["ns/line"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kLinesPerRound),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(TypedLinesOnLongTape)->Arg(1000)->Arg(1000000);

// Recording one step (its entry rendered onto the text) on a tape of about
// state.range(0) lines. Each iteration appends a batch; once the tape has doubled it is
// filled afresh (untimed). Growing from N to 2N lines spans one reallocation of the text on
// average, so the figure is the amortised cost of a line at that size.
constexpr int kBatch = 100;

void fill(Tape& tape, std::int64_t lines) {
    for (std::int64_t i = 0; i < lines; ++i)
        tape.record(sampleStep());
}

void TapeAppend(benchmark::State& state) {
    const std::int64_t lines = state.range(0);
    const std::int64_t refillAfter = std::max<std::int64_t>(kBatch, lines);
    auto tape = std::make_unique<Tape>();
    std::size_t heard = 0;
    const Tape::Listener listen{
        .recorded = [&heard](const TapeEntry&,
                             std::u16string_view piece) { heard += piece.size(); },
        .noteChanged = {},
    };
    tape->addListener(listen);
    fill(*tape, lines);
    std::int64_t grown = 0;
    for (auto _ : state) {
        for (int i = 0; i < kBatch; ++i)
            tape->record(sampleStep());
        grown += kBatch;
        if (grown >= refillAfter) {
            state.PauseTiming();
            tape = std::make_unique<Tape>();
            tape->addListener(listen);
            fill(*tape, lines);
            grown = 0;
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(heard);
    state.SetItemsProcessed(state.iterations() * kBatch);
    state.counters["ns/line"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kBatch),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(TapeAppend)->Arg(1000)->Arg(1000000);

// Replaying a calculation of state.range(0) steps (the typed rounds above, after an all
// clear) from its start onto a fresh tape: what a correction of its first step costs.
void ReplayCalculation(benchmark::State& state) {
    auto calc = std::make_unique<Calculator>();
    calc->type(u" ");
    while (calc->tape.entries().size() - calc->tape.calculationStart() <
           static_cast<std::size_t>(state.range(0)))
        typeOneRound(*calc);
    const std::vector<TapeEntry> steps = calc->tape.entries().slice(calc->tape.calculationStart());
    for (auto _ : state) {
        Tape again;
        auto engine = calc->engine.replay(steps, again);
        benchmark::DoNotOptimize(engine->totalValue());
    }
    state.counters["steps/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * static_cast<std::int64_t>(steps.size())),
        benchmark::Counter::kIsRate);
}
BENCHMARK(ReplayCalculation)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The allocator as the program sets it before anything else (platform/memory_release):
    // large buffers come from the system and go back to it.
    (void)mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
