// Checking and correcting a long calculation: an edited step recomputes every row (the
// whole calculation keyed again through the engine), and a step keyed in a check costs one
// evaluation and one comparison.

#include "core/engine/check_session.h"
#include "core/engine/correction.h"
#include "core/engine/engine.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace sumiplex::engine;

std::u16string u16(const std::string& s) {
    return {s.begin(), s.end()};
}

/// A calculation of `steps` steps: sums and differences, now and then a line result and the
/// step that adds it.
struct LongCalculation {
    Tape tape;
    Engine engine{tape, [] { return std::chrono::seconds(9 * 3600); }};

    explicit LongCalculation(int steps) {
        engine.markCalculationStart();
        for (int i = 0; i < steps; ++i) {
            std::string line;
            if (i % 10 == 9)
                line = std::to_string(i % 7 + 2) + "*" + std::to_string(i % 13 + 1);
            else
                line = std::to_string(100 + i % 900) + (i % 4 == 3 ? "-" : "+");
            const std::u16string text = u16(line);
            engine.typed(text, static_cast<int>(text.size()));
            engine.keyReleased(Key::Enter);
            if (i % 10 == 9) {
                std::u16string result = engine.view().input.text + u"+";
                engine.typed(result, static_cast<int>(result.size()));
            }
        }
    }

    [[nodiscard]] std::vector<TapeEntry> steps() const {
        return calculationSteps(tape.entries().slice(tape.calculationStart()));
    }
    [[nodiscard]] CalculationStart start() const {
        return [this](Tape& t) { return engine.replay({}, t); };
    }
};

void BM_EditRecomputes(benchmark::State& state) {
    const LongCalculation calculation(static_cast<int>(state.range(0)));
    std::vector<CorrectionRow> rows = correctionRows(calculation.steps());
    const CalculationStart start = calculation.start();
    std::size_t row = 0;
    for (auto _ : state) {
        // A step near the start, so every later row follows it.
        row = (row + 1) % 10;
        rows[row].step = typedStep(u16(std::to_string(500 + row) + "+"));
        const Recomputation result = recompute(start, rows);
        benchmark::DoNotOptimize(result.total());
    }
    state.SetLabel(std::to_string(rows.size()) + " rows");
}
BENCHMARK(BM_EditRecomputes)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_CheckStep(benchmark::State& state) {
    const LongCalculation calculation(static_cast<int>(state.range(0)));
    const std::vector<TapeEntry> steps = calculation.steps();
    CheckSession session(steps, calculation.start());
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == steps.size()) {
            state.PauseTiming();
            session = CheckSession(steps, calculation.start());
            next = 0;
            state.ResumeTiming();
        }
        const std::u16string& line = steps[next++].input;
        session.engine().typed(line, static_cast<int>(line.size()));
        session.engine().keyReleased(Key::Enter);
        benchmark::DoNotOptimize(session.takeKeyed());
    }
}
BENCHMARK(BM_CheckStep)->Arg(10'000)->Unit(benchmark::kMicrosecond);

void BM_EvaluateStep(benchmark::State& state) {
    Tape tape;
    Engine engine(tape, [] { return std::chrono::seconds(9 * 3600); });
    for (auto _ : state) {
        engine.typed(u"123+", 4);
        engine.keyReleased(Key::Enter);
    }
}
BENCHMARK(BM_EvaluateStep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
