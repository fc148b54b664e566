// Opening a memo file whose text is one enormous line: the file read, the text put into the
// memo pad and the pad shown and painted, as the open command does it. Sizes in bytes.
// Run with QT_QPA_PLATFORM=offscreen (set here when nothing else is asked for).

#include "platform/memo_file.h"
#include "ui/mainwindow/frm_tip3.h"
#include "window_bench.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>

#include <benchmark/benchmark.h>

namespace {

void BM_OpenOneLineMemoFile(benchmark::State& state) {
    const auto bytes = static_cast<qsizetype>(state.range(0));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("one_line.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(bytes, 'x')) != bytes) {
            state.SkipWithError("cannot write the test file");
            return;
        }
    }
    for (auto _ : state) {
        sumiplex::ui::frmTip3 pad;
        pad.resize(480, 360);
        const sumiplex::platform::MemoFileRead read = sumiplex::platform::readMemoFile(path);
        if (!read.text) {
            state.SkipWithError("cannot read the test file");
            return;
        }
        pad.setMemoText(*read.text);
        pad.show();
        pad.text().repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(pad.memoText().size());
    }
    state.SetLabel("read, set, show and paint");
}
BENCHMARK(BM_OpenOneLineMemoFile)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// One key typed in the middle of the memo once such a file is open: the window must stay
// responsive, not only open quickly.
void BM_KeyInOneLineMemo(benchmark::State& state) {
    const auto chars = static_cast<qsizetype>(state.range(0));
    sumiplex::ui::frmTip3 pad;
    pad.resize(480, 360);
    pad.setMemoText(QString(chars, QLatin1Char('x')));
    pad.show();
    QApplication::processEvents();
    QPlainTextEdit& text = pad.text();
    QTextCursor cursor = text.textCursor();
    cursor.setPosition(int(chars / 2));
    text.setTextCursor(cursor);
    text.setFocus();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, QStringLiteral("y"));
        QApplication::sendEvent(&text, &press);
        text.repaint();
        QApplication::processEvents();
    }
    state.SetLabel("key press, repaint");
}
BENCHMARK(BM_KeyInOneLineMemo)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    return sumiplex::bench::runWindowBenchmarks(argc, argv);
}
