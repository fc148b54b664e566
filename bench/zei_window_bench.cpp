// Cost of opening the tax by rate window from the main window's menu over a total made of
// many amounts: building the window over the list, summing it by rate and showing it. Each
// iteration builds the window anew (the program keeps it once built, so this is the first
// opening's cost). Run with QT_QPA_PLATFORM=offscreen (set here when nothing else is asked for).

#include "core/engine/engine.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "window_bench.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

struct MainWindow : sumiplex::ui::FakeServices {
    std::unique_ptr<sumiplex::ui::frmMain> window;

    explicit MainWindow(int amounts) {
        window = std::make_unique<sumiplex::ui::frmMain>(services());
        window->show();
        QApplication::processEvents();
        // Amounts as a shop types them: whole yen and some with sen, a few returns.
        for (int i = 0; i < amounts; ++i) {
            std::u16string line = QString::number(100 + i % 9000).toStdU16String();
            if (i % 7 == 0)
                line += u".5";
            line += i % 50 == 0 ? u'-' : u'+';
            window->engine().typed(line, static_cast<int>(line.size()));
        }
        window->render();
        // What the typing left for the event loop (repaints, layouts) is handled here, as the
        // program handles it after each key, so it is not charged to the opening.
        QApplication::processEvents();
    }
};

void BM_OpenZeiWindow(benchmark::State& state) {
    MainWindow main(static_cast<int>(state.range(0)));
    auto* item = main.window->findChild<QAction*>(QStringLiteral("mnuZei"));
    double worst = 0;
    double first = -1;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        item->trigger();
        QApplication::processEvents();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        worst = std::max(worst, ms);
        if (first < 0)
            first = ms;
        state.PauseTiming();
        delete main.window->findChild<QWidget*>(QStringLiteral("DialogZei"));
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["first_ms"] = first;
    state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_OpenZeiWindow)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return sumiplex::bench::runWindowBenchmarks(argc, argv);
}
