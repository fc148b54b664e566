// Costs of the denomination windows: opening the breakdown from the menu with entry lists
// of growing length (split, borrowing and both grids ready), and one count of the cash tally
// typed into the real input line. Run with QT_QPA_PLATFORM=offscreen (set here when nothing
// else is asked for).

#include "core/engine/engine.h"
#include "core/tools/cash/breakdown.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/tools/cash/dialog_cash.h"
#include "window_bench.h"
#include "window_input.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using sumiplex::bench::keyStroke;
struct MainWindow : sumiplex::ui::FakeServices {
    std::unique_ptr<sumiplex::ui::frmMain> window;

    explicit MainWindow(int entries) {
        window = std::make_unique<sumiplex::ui::frmMain>(services());
        window->show();
        // Entries straight through the engine; the window renders once at the end.
        auto& engine = window->engine();
        for (int i = 0; i < entries; ++i)
            engine.typed(i % 3 == 2 ? u"1234.5-" : u"18765+", 6);
        window->render();
        QApplication::processEvents();
    }
};

std::map<int, std::unique_ptr<MainWindow>> g_windows;

sumiplex::ui::DialogCash* breakdownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* cash = qobject_cast<sumiplex::ui::DialogCash*>(w); cash && cash->isVisible())
            return cash;
    return nullptr;
}

void BM_OpenBreakdown(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    auto& slot = g_windows[entries];
    if (!slot)
        slot = std::make_unique<MainWindow>(entries);
    auto* item = slot->window->findChild<QAction*>(QStringLiteral("mnuCash"));
    for (auto _ : state) {
        item->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        sumiplex::ui::DialogCash* cash = breakdownWindow();
        if (!cash || cash->model().entries().size() != static_cast<std::size_t>(entries)) {
            state.SkipWithError("the breakdown did not open with every entry");
            break;
        }
        cash->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenBreakdown)->Arg(12)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TallyStep(benchmark::State& state) {
    auto& slot = g_windows[0];
    if (!slot)
        slot = std::make_unique<MainWindow>(0);
    auto* start = slot->window->findChild<QAction*>(QStringLiteral("mnuCashTotal"));
    auto* text1 = slot->window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    start->trigger();
    for (auto _ : state) {
        // The last count opens the tally window, a cost of its own: start afresh before it.
        if (text1->text() == QStringLiteral("1*")) {
            state.PauseTiming();
            start->trigger();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        keyStroke(text1, Qt::Key_1, QStringLiteral("1"));
        keyStroke(text1, Qt::Key_Return, QStringLiteral("\r"));
    }
}
BENCHMARK(BM_TallyStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return sumiplex::bench::runWindowBenchmarks(argc, argv, [] { g_windows.clear(); });
}
