// A long column pasted into the input line as the user pastes it (Ctrl+V): the cells are
// split, each amount added and written to the tape and its journal, and the history window
// shows the new lines. Run with QT_QPA_PLATFORM=offscreen (set here when nothing else is
// asked for).

#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "window_bench.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Amounts in the forms a statement or a spreadsheet gives them, a heading first.
QString column(int lines) {
    QString text = QStringLiteral("金額\n");
    for (int i = 0; i < lines; ++i) {
        const QString figure = QString::number(1000 + i % 9000);
        switch (i % 4) {
        case 0:
            text += QStringLiteral("¥") + figure.left(1) + u',' + figure.mid(1);
            break;
        case 1:
            text += QStringLiteral("△") + figure;
            break;
        case 2:
            text += figure + QStringLiteral("円");
            break;
        default:
            text += figure + QStringLiteral(".5");
        }
        text += u'\n';
    }
    return text;
}

void BM_PasteColumn(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    QApplication::clipboard()->setText(column(lines));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir tapes;
        sumiplex::ui::FakeServices fakes;
        auto window = std::make_unique<sumiplex::ui::frmMain>(fakes.services({}, tapes.path()));
        window->show();
        window->historyWindow().show();
        auto* text1 = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
        text1->setFocus();
        QApplication::processEvents();
        fakes.messages.queueAnswer(true);
        state.ResumeTiming();

        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(text1, &paste);
        QApplication::processEvents();

        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetLabel("lines pasted, added and shown");
}
BENCHMARK(BM_PasteColumn)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return sumiplex::bench::runWindowBenchmarks(argc, argv);
}
