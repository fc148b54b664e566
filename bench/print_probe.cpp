// Prints a long tape onto a CUPS queue and opens the print dialog, timing both; the peak
// resident memory shows whether a long document is held whole or page by page.
// Usage: print_probe QUEUE LINES...   (bench/print.sh prepares the queues and runs it)

#include "platform/printing.h"
#include "ui/print/frm_printer.h"
#include "ui/print/print_outs.h"
#include "ui/ui_fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <sys/resource.h>

#include <cstdio>

namespace {

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QString tape(int lines) {
    QString text;
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("%1 +%2= %3\r\n").arg(i, 7).arg(i * 3).arg(i * (i + 1) * 3 / 2);
    return text;
}

// Lays the text out, draws it and waits for the queue to take it; the reason when it did not.
std::optional<QString> send(sumiplex::platform::Printing& printing, const QString& title,
                            const QString& text) {
    auto start = printing.startJob(title, 9, sumiplex::print::Orientation::Portrait);
    if (!start.job)
        return start.error;
    sumiplex::ui::drawText(*start.job,
                           sumiplex::ui::printAreaOf(*start.job, sumiplex::print::kDefaultMargins),
                           text, {u"", 9});
    std::optional<QString> error;
    bool ended = false;
    QEventLoop loop;
    start.job->submit([&](const sumiplex::platform::Handover& handover) {
        if (handover.outcome != sumiplex::platform::Handover::Outcome::Queued)
            error = handover.reason.isEmpty() ? QStringLiteral("not queued") : handover.reason;
        ended = true;
        loop.quit();
    });
    if (!ended)
        loop.exec();
    return error;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: print_probe QUEUE LINES...\n", stderr);
        return 2;
    }
    sumiplex::ui::installFontSubstitutions();
    sumiplex::platform::CupsPrinting printing;
    const QString queue = QString::fromLocal8Bit(argv[1]);

    QElapsedTimer clock;
    clock.start();
    {
        sumiplex::ui::frmPrinter dialog(printing);
        dialog.show();
        QApplication::processEvents();
    }
    std::printf("print dialog opened and shown: %lld ms (%lld printers)\n",
                static_cast<long long>(clock.elapsed()),
                static_cast<long long>(printing.printerNames().size()));

    printing.setCurrentPrinter(queue);
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        const int lines = QString::fromLocal8Bit(argv[i]).toInt();
        const QString text = tape(lines);
        clock.restart();
        const auto error = send(printing, QStringLiteral("bench %1").arg(lines), text);
        const auto ms = static_cast<long long>(clock.elapsed());
        if (error) {
            std::printf("%d lines: FAILED: %s\n", lines, qPrintable(*error));
            status = 1;
            continue;
        }
        std::printf("%d lines: laid out, drawn and handed to the queue in %lld ms; peak resident "
                    "memory so far %ld kB\n",
                    lines, ms, peakResidentKb());
    }
    return status;
}
