// Opening a memo file whose text is one enormous line: the file read, the text put into the
// memo pad and the pad shown and painted, as the open command does it. Sizes in bytes.
// Run with QT_QPA_PLATFORM=offscreen (set here when nothing else is asked for).

#include "platform/memo_file.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/ui_fonts.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    sumiplex::ui::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
