#pragma once

// What the benchmarks of the program's windows share: their main, and the typing they time.

#include "ui/ui_fonts.h"
#include "window_input.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <functional>

namespace sumiplex::bench {

/// Runs the benchmarks the command line asks for in an application on the offscreen
/// platform (unless QT_QPA_PLATFORM names another) with the program's font stand-ins.
/// `dropWindows` then destroys the windows kept across runs, while the application exists.
inline int runWindowBenchmarks(int argc, char** argv,
                               const std::function<void()>& dropWindows = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (dropWindows)
        dropWindows();
    return 0;
}

/// One digit typed into `line` per iteration; every twelve digits the line is cleared,
/// untimed, so that it never grows long.
inline void typeDigits(benchmark::State& state, QLineEdit* line) {
    int typed = 0;
    for (auto _ : state) {
        keyStroke(line, Qt::Key_5, QStringLiteral("5"));
        if (++typed == 12) {
            state.PauseTiming();
            line->clear();
            typed = 0;
            state.ResumeTiming();
        }
    }
}

/// Per iteration, "7" typed untimed, then the timed "+" that evaluates the line.
inline void typeEvaluations(benchmark::State& state, QLineEdit* line) {
    for (auto _ : state) {
        state.PauseTiming();
        keyStroke(line, Qt::Key_7, QStringLiteral("7"));
        state.ResumeTiming();
        keyStroke(line, Qt::Key_Plus, QStringLiteral("+"));
    }
}

} // namespace sumiplex::bench
