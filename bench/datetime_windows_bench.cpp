// Cost of opening the date and time windows from the main window's menu: building the window
// and showing it. The first opening in the process pays for fonts and styles that later
// openings find ready; it is reported as first_ms. Run with QT_QPA_PLATFORM=offscreen (set
// here when nothing else is asked for).

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

#include <map>
#include <memory>
#include <string>

namespace {

struct MainWindow : sumiplex::ui::FakeServices {
    std::unique_ptr<sumiplex::ui::frmMain> window;

    MainWindow() {
        window = std::make_unique<sumiplex::ui::frmMain>(services());
        window->show();
        QApplication::processEvents();
    }
};

std::unique_ptr<MainWindow> g_main;

QWidget* toolWindow(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

// Opens the window by its menu item (timed), then closes it (untimed), so each opening
// builds the window anew as the program does after the user closed it.
void openByMenu(benchmark::State& state, const char* action, const char* window) {
    if (!g_main)
        g_main = std::make_unique<MainWindow>();
    auto* item = g_main->window->findChild<QAction*>(QLatin1String(action));
    // Google Benchmark calls this function several times; the first opening is the first of all.
    static std::map<std::string, double> firstOpening;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        item->trigger();
        QApplication::processEvents();
        firstOpening.try_emplace(action, static_cast<double>(timer.nsecsElapsed()) / 1e6);
        state.PauseTiming();
        if (QWidget* w = toolWindow(window))
            w->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["first_ms"] = firstOpening[action];
}

void BM_OpenDaysWindow(benchmark::State& state) {
    openByMenu(state, "mnuDay", "DialogDays");
}
BENCHMARK(BM_OpenDaysWindow)->Unit(benchmark::kMillisecond);

void BM_OpenTimeWindow(benchmark::State& state) {
    openByMenu(state, "mnuTime", "DialogTime");
}
BENCHMARK(BM_OpenTimeWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return sumiplex::bench::runWindowBenchmarks(argc, argv, [] { g_main.reset(); });
}
