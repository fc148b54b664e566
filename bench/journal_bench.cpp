// What keeping the tape costs: a keystroke with and without the journal while a long tape
// is on record, the bytes and the write of one step, reading a long journal back with its
// steps, and opening the earlier tapes window on a very long tape.
// Run with QT_QPA_PLATFORM=offscreen (set here when nothing else is asked for).

#include "core/engine/tape.h"
#include "core/journal/journal_format.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/tape_journal.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/tapes/frm_tapes.h"
#include "window_bench.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

using sumiplex::bench::kTapeLine;
using sumiplex::bench::tapeLines;
using sumiplex::ui::frmMain;

struct Window : sumiplex::ui::FakeServices {
    QTemporaryDir folder;
    std::unique_ptr<frmMain> window;
    QLineEdit* text1 = nullptr;

    Window(int lines, bool journal) {
        window = std::make_unique<frmMain>(
            services(QString(), journal ? folder.filePath(QStringLiteral("tapes")) : QString()));
        window->show();
        window->tape().recordTool(tapeLines(lines));
        text1 = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QApplication::processEvents();
    }
};

std::map<std::pair<int, bool>, std::unique_ptr<Window>> g_windows;

Window& window(const benchmark::State& state) {
    auto& slot = g_windows[{static_cast<int>(state.range(0)), state.range(1) != 0}];
    if (!slot)
        slot = std::make_unique<Window>(static_cast<int>(state.range(0)), state.range(1) != 0);
    return *slot;
}

void BM_DigitKeystroke(benchmark::State& state) {
    Window& w = window(state);
    sumiplex::bench::typeDigits(state, w.text1);
    state.SetLabel(state.range(1) ? "journal on" : "journal off");
}
BENCHMARK(BM_DigitKeystroke)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMicrosecond);

// The "+" that evaluates a line and so writes one journal line.
void BM_EvaluatingKeystroke(benchmark::State& state) {
    Window& w = window(state);
    sumiplex::bench::typeEvaluations(state, w.text1);
    state.SetLabel(state.range(1) ? "journal on" : "journal off");
}
BENCHMARK(BM_EvaluatingKeystroke)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

sumiplex::engine::TapeEntry typicalStep(int n) {
    sumiplex::engine::TapeEntry e;
    e.kind = sumiplex::engine::EntryKind::OnTotal;
    e.op = u'+';
    e.input = u"1234+";
    e.shown = u"1234";
    e.operand = sumiplex::Decimal::fromInt(1234);
    e.before = sumiplex::Decimal::fromInt(n);
    e.value = sumiplex::Decimal::fromInt(n + 1234);
    return e;
}

const sumiplex::journal::LocalTime kWhen =
    std::chrono::local_days{std::chrono::year{2026} / 12 / 7};

// The bytes of one step: its record and its tape line.
void BM_JournalStepBytes(benchmark::State& state) {
    sumiplex::journal::JournalEncoder encoder;
    const sumiplex::engine::TapeEntry step = typicalStep(1000000);
    const std::u16string piece = sumiplex::engine::renderEntry(step);
    std::size_t seq = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = encoder.appendEntry(step, seq++, piece, kWhen);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes_per_step"] = static_cast<double>(bytes) / static_cast<double>(seq);
}
BENCHMARK(BM_JournalStepBytes)->Unit(benchmark::kMicrosecond);

// One step through the running journal into its file: the bytes and their one write.
void BM_JournalStepWrite(benchmark::State& state) {
    QTemporaryDir folder;
    sumiplex::platform::FakeClock clock;
    sumiplex::platform::TapeJournal journal(folder.path(), "0.1.0", clock);
    journal.start();
    const sumiplex::engine::TapeEntry step = typicalStep(1000000);
    const std::u16string piece = sumiplex::engine::renderEntry(step);
    std::size_t seq = 0;
    for (auto _ : state)
        journal.appendEntry(step, seq++, piece);
    (void)journal.close();
}
BENCHMARK(BM_JournalStepWrite)->Unit(benchmark::kMicrosecond);

// A journal of 10^5 steps read back whole: with records, or text only (an earlier version's
// file, its steps read from the lines).
void BM_ReadJournalSteps(benchmark::State& state) {
    sumiplex::journal::JournalEncoder encoder;
    std::string body;
    for (int n = 0; n < 100000; ++n) {
        const sumiplex::engine::TapeEntry step = typicalStep(n * 1234);
        const std::u16string piece = sumiplex::engine::renderEntry(step);
        body += state.range(0)
                    ? encoder.appendEntry(step, static_cast<std::size_t>(n), piece, kWhen)
                    : encoder.append(piece, kWhen);
    }
    const std::string bytes = sumiplex::journal::headerLine(
                                  sumiplex::journal::JournalState::Complete, body.size(), "0.1.0") +
                              body;
    for (auto _ : state) {
        const auto read = sumiplex::journal::readJournal(bytes);
        benchmark::DoNotOptimize(read.entries.data());
    }
    state.SetLabel(state.range(0) ? "records" : "text only");
    state.counters["file_MiB"] = static_cast<double>(bytes.size()) / (1 << 20);
}
BENCHMARK(BM_ReadJournalSteps)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

std::size_t residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    std::size_t value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// The earlier tapes window opened on one tape: listed, read and shown. Arguments: the number
// of ordinary lines, or with a second argument of 1 the size in MiB of a tape that is one
// single line (what a planted or damaged file may hold).
void BM_OpenEarlierTape(benchmark::State& state) {
    QTemporaryDir folder;
    const std::string name = "2026-12-01_080000.tape";
    std::string body;
    if (state.range(1) == 1) {
        body.assign(static_cast<std::size_t>(state.range(0)) << 20, '7');
        body += "\r\n";
    } else {
        for (int i = 0; i < state.range(0); ++i)
            body += sumiplex::journal::toUtf8(kTapeLine);
    }
    {
        std::ofstream out((folder.path() + QLatin1Char('/')).toStdString() + name,
                          std::ios::binary);
        out << sumiplex::journal::headerLine(sumiplex::journal::JournalState::Complete, body.size(),
                                             "0.1.0")
            << body;
    }
    sumiplex::platform::FakeFileDialogs files;
    sumiplex::platform::FakeMessageBoxes messages;
    std::size_t grown = 0;
    for (auto _ : state) {
        const std::size_t before = residentKiB();
        auto viewer = std::make_unique<sumiplex::ui::frmTapes>(
            sumiplex::ui::frmTapes::Links{folder.path(), {}, files, messages, {}});
        viewer->show();
        QApplication::processEvents();
        grown = residentKiB() - std::min(before, residentKiB());
    }
    state.counters["file_MiB"] = static_cast<double>(body.size()) / (1 << 20);
    state.counters["rss_growth_MiB"] = static_cast<double>(grown) / 1024;
}
BENCHMARK(BM_OpenEarlierTape)
    ->Args({100000, 0})
    ->Args({1000000, 0})
    ->Args({50, 1})
    ->Args({200, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return sumiplex::bench::runWindowBenchmarks(argc, argv, [] { g_windows.clear(); });
}
