// Costs of the windows as the user meets them: one keystroke in the input line while a long
// tape is on record, and one tape line appended to the history window at growing lengths.
// Run with QT_QPA_PLATFORM=offscreen (set here when nothing else is asked for).

#include "core/engine/tape.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/dialogs/dialog_font.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_tip1.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "window_bench.h"
#include "window_input.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

namespace {

using sumiplex::bench::keyStroke;
using sumiplex::bench::tapeLines;
using sumiplex::platform::FakeClock;
using sumiplex::ui::frmMain;
using sumiplex::ui::frmTip2;

struct MainWindowWithTape : sumiplex::ui::FakeServices {
    std::unique_ptr<frmMain> window;
    QLineEdit* text1 = nullptr;

    MainWindowWithTape(int lines, bool historyShown) {
        // An empty folder name: no picture search through the build tree.
        window = std::make_unique<frmMain>(services());
        window->show();
        window->tape().recordTool(tapeLines(lines));
        if (historyShown)
            window->historyWindow().show();
        text1 = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QApplication::processEvents();
    }
};

// Built once per size and kept across the benchmark's runs; destroyed before the
// application object at the end of main.
std::map<std::pair<int, bool>, std::unique_ptr<MainWindowWithTape>> g_mainWindows;

MainWindowWithTape& mainWindow(const benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const bool historyShown = state.range(1) != 0;
    auto& slot = g_mainWindows[{lines, historyShown}];
    if (!slot)
        slot = std::make_unique<MainWindowWithTape>(lines, historyShown);
    return *slot;
}

// A digit typed into the input line: change handling, key release, render.
void BM_DigitKeystrokeWithTape(benchmark::State& state) {
    MainWindowWithTape& w = mainWindow(state);
    sumiplex::bench::typeDigits(state, w.text1);
    state.SetLabel("one key press and release");
}
BENCHMARK(BM_DigitKeystrokeWithTape)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

// The "+" that evaluates a line: a tape line is written, the totals list grows, and the
// history window appends the line.
void BM_EvaluatingKeystrokeWithTape(benchmark::State& state) {
    MainWindowWithTape& w = mainWindow(state);
    sumiplex::bench::typeEvaluations(state, w.text1);
    state.SetLabel("'+' after '7': evaluation and tape line");
}
BENCHMARK(BM_EvaluatingKeystrokeWithTape)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

std::unique_ptr<frmTip2> historyWindow(int lines, bool shown) {
    auto window = std::make_unique<frmTip2>();
    window->appendTape(tapeLines(lines));
    if (shown)
        window->show();
    QApplication::processEvents();
    return window;
}

// One tape line as the engine hands it over: a recorded step's lines arrive in one piece
// (before the tape kept entries, a line came in two, its operand and then its result, and
// the figures of earlier sessions were taken that way). The window is rebuilt (untimed)
// before the lines added by the benchmark itself amount to a tenth of its starting length,
// so each size is measured at that size.
void appendHistoryLine(benchmark::State& state, bool shown) {
    const int lines = static_cast<int>(state.range(0));
    const int rebuildEvery = std::max(lines / 10, 100);
    std::unique_ptr<frmTip2> window = historyWindow(lines, shown);
    int appended = 0;
    for (auto _ : state) {
        window->appendTape(u"      1,000 +500= 1,500\r\n");
        if (++appended == rebuildEvery) {
            state.PauseTiming();
            window = historyWindow(lines, shown);
            appended = 0;
            state.ResumeTiming();
        }
    }
}

void BM_HistoryAppendHidden(benchmark::State& state) {
    appendHistoryLine(state, false);
}
BENCHMARK(BM_HistoryAppendHidden)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

void BM_HistoryAppendShown(benchmark::State& state) {
    appendHistoryLine(state, true);
}
BENCHMARK(BM_HistoryAppendShown)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

enum class HelpWindow { Options, Guide, About };

std::unique_ptr<QWidget> helpWindow(HelpWindow which, sumiplex::platform::PickerDialogs& pickers,
                                    sumiplex::platform::Shell& shell,
                                    sumiplex::platform::MessageBoxes& messages) {
    switch (which) {
    case HelpWindow::Options: {
        const QFont face(QStringLiteral("Times New Roman"));
        return std::make_unique<sumiplex::ui::DialogFont>(
            sumiplex::ui::WindowLooks{-2147483643, 1006847, face, face, face},
            QStringLiteral("電卓"), pickers, [](const sumiplex::ui::WindowLooks&) {});
    }
    case HelpWindow::Guide:
        return std::make_unique<sumiplex::ui::frmTip1>();
    case HelpWindow::About:
        return std::make_unique<sumiplex::ui::frmAbout>(QStringLiteral("電卓"), shell, messages);
    }
    return nullptr;
}

// The options dialog, the usage guide and the about box: built, shown and laid out (the
// pictures decoded), then closed, as one opening from the menu.
void BM_OpenHelpWindow(benchmark::State& state) {
    const auto which = static_cast<HelpWindow>(state.range(0));
    sumiplex::platform::FakePickerDialogs pickers;
    sumiplex::platform::FakeShell shell;
    sumiplex::platform::FakeMessageBoxes messages;
    for (auto _ : state) {
        std::unique_ptr<QWidget> window = helpWindow(which, pickers, shell, messages);
        window->show();
        QApplication::processEvents();
    }
    static const char* const kNames[] = {"DialogFont", "frmTip1", "frmAbout"};
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_OpenHelpWindow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
// The unit window opened from the menu: built and loaded (six lists filled, three panels
// converted) when it is not there, only shown again when it was hidden.
QWidget* unitWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("DialogTon"))
            return w;
    return nullptr;
}

void openUnitWindow(MainWindowWithTape& w) {
    w.window->findChild<QAction*>(QStringLiteral("mmnuTon"))->trigger();
}

void BM_UnitWindowOpening(benchmark::State& state) {
    MainWindowWithTape& w = mainWindow(state);
    const bool hiddenBefore = state.range(2) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (QWidget* ton = unitWindow()) {
            if (hiddenBefore) {
                ton->hide();
            } else {
                ton->close(); // unloads: the next opening builds and loads it again
                QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }
        state.ResumeTiming();
        openUnitWindow(w);
        QApplication::processEvents();
    }
    state.SetLabel(hiddenBefore ? "opened again while hidden" : "built, loaded and shown");
}
BENCHMARK(BM_UnitWindowOpening)->Args({0, 0, 0})->Args({0, 0, 1})->Unit(benchmark::kMillisecond);

// A digit typed into the length quantity: the copy into Q'TY, the conversion, the unit price
// and the render.
void BM_UnitConversionKeystroke(benchmark::State& state) {
    MainWindowWithTape& w = mainWindow(state);
    openUnitWindow(w);
    QWidget* ton = unitWindow();
    auto* price = ton->findChild<QLineEdit*>(QStringLiteral("Text4"));
    auto* quantity = ton->findChild<QLineEdit*>(QStringLiteral("Text1"));
    price->setText(QStringLiteral("1000"));
    int typed = 0;
    for (auto _ : state) {
        keyStroke(quantity, Qt::Key_7, QStringLiteral("7"));
        if (++typed == 12) {
            state.PauseTiming();
            quantity->setText(QStringLiteral("1"));
            typed = 0;
            state.ResumeTiming();
        }
    }
    state.SetLabel("one key press and release");
}
BENCHMARK(BM_UnitConversionKeystroke)->Args({0, 0})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return sumiplex::bench::runWindowBenchmarks(argc, argv, [] { g_mainWindows.clear(); });
}
