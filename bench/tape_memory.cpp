// Whole-process memory per tape line: starts the main window offscreen, types "1+" and
// so adds one tape line per entry, N times, and reports how much the process's resident
// memory grew per line beyond the tape's own text (two bytes a character, as the window's
// text holds it).
//   tape_memory [LINES...]     (default: 100000 1000000)

#include "core/engine/tape.h"
#include "platform/memory_release.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "window_input.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

using sumiplex::bench::keyStroke;

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void measure(long lines) {
    sumiplex::ui::FakeServices fakes;
    auto window = std::make_unique<sumiplex::ui::frmMain>(fakes.services());
    window->show();
    window->historyWindow().show();
    QApplication::processEvents();
    auto* text1 = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
    const long before = residentKiB();
    for (long i = 0; i < lines; ++i) {
        keyStroke(text1, Qt::Key_1, QStringLiteral("1"));
        keyStroke(text1, Qt::Key_Plus, QStringLiteral("+"));
        if (i % 1000 == 0)
            QApplication::processEvents();
    }
    QApplication::processEvents();
    const long after = residentKiB();
    const double tapeBytes = 2.0 * static_cast<double>(window->tape().text().size());
    const double grown = 1024.0 * static_cast<double>(after - before);
    std::printf("%ld lines: resident %ld -> %ld KiB; tape text %.1f MiB; %.0f bytes a line "
                "beyond the tape's text\n",
                lines, before, after, tapeBytes / (1024 * 1024),
                (grown - tapeBytes) / static_cast<double>(lines));
    // The tape's entries alone: their packed store, and the offset and line kept for each.
    const auto& entries = window->tape().entries();
    const double entryBytes =
        static_cast<double>(entries.bytesHeld()) + 12.0 * static_cast<double>(entries.size());
    std::printf("%ld lines: the entries take %.0f bytes a line (an entry read back is %zu "
                "bytes)\n",
                lines, entryBytes / static_cast<double>(entries.size()),
                sizeof(sumiplex::engine::TapeEntry));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    // The program's own allocator settings: this measures the program, not a bare process.
    sumiplex::platform::giveLargeBuffersBack();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atol(argv[i]));
    if (counts.empty())
        counts = {100000, 1000000};
    for (long n : counts)
        measure(n);
    return 0;
}
