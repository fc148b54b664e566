// A column of amounts pasted into the input line or dropped on the window as a file: each
// amount joins the total on a tape line of its own, cells that are no amount are named.

#include "ui/mainwindow/column_paste.h"

#include "core/engine/engine.h"
#include "core/engine/paste_column.h"
#include "platform/dialogs.h"
#include "platform/memo_file.h"
#include "ui/mainwindow/frm_main.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressDialog>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace sumiplex::ui {
namespace {

using engine::PastedLayout;

// Amounts added between two looks at the clock: small enough that the window answers
// within a few milliseconds, large enough that the looks cost nothing.
constexpr std::size_t kBatch = 4096;
// A column that takes longer than this shows how far it has got.
constexpr qint64 kProgressAfterMs = 500;

QString fromCore(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The first local file a drag carries.
std::optional<QString> droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls())
        return std::nullopt;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return std::nullopt;
}

} // namespace

ColumnPaste::ColumnPaste(QWidget& window, const Services& services, engine::Engine& engine,
                         std::function<void()> render,
                         std::function<void(std::u16string_view)> showTape)
    : m_window(window), m_services(services), m_engine(engine), m_render(std::move(render)),
      m_showTape(std::move(showTape)) {}

QString ColumnPaste::caption() const {
    return m_window.windowTitle();
}

bool ColumnPaste::collect(std::u16string_view piece) {
    if (!m_tapeBatch)
        return false;
    m_tapeBatch->append(piece);
    return true;
}

bool ColumnPaste::pasteColumnFrom(QClipboard::Mode mode) {
    const QString text = QApplication::clipboard()->text(mode);
    if (!engine::isPastedColumn(text.toStdU16String()))
        return false;
    return pasteColumn(text, PastedLayout::Rows);
}

bool ColumnPaste::pasteColumn(const QString& text, PastedLayout layout) {
    const engine::PastedColumn column = engine::readPastedColumn(text.toStdU16String(), layout);
    const std::size_t count = column.amounts.size();
    if (count > engine::kAskAbove &&
        !m_services.messages.question(&m_window, fromCore(engine::pasteQuestion(count)), caption()))
        return true;

    if (count == 0) {
        m_engine.recordPastedSkips(column.skipped.size());
        m_render();
        if (!column.skipped.empty())
            m_services.messages.notice(&m_window, fromCore(engine::skippedMessage(column.skipped)),
                                       caption());
        return true;
    }
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    m_tapeBatch.emplace();
    m_engine.beginPastedColumn();
    for (std::size_t done = 0; done < count;) {
        const std::size_t end = std::min(count, done + kBatch);
        for (; done < end; ++done)
            m_engine.addPastedAmount(column.amounts[done].text);
        if (done == count || clock.elapsed() < kProgressAfterMs)
            continue;
        if (!progress) {
            // Modal to the whole program: no key reaches the calculator, and no note
            // reaches a tape line the history window is still to be given, mid-column.
            progress =
                std::make_unique<QProgressDialog>(QStringLiteral("金額を合計に加えています…"),
                                                  QString(), 0, static_cast<int>(count), &m_window);
            progress->setWindowModality(Qt::ApplicationModal);
            progress->setMinimumDuration(0);
        }
        progress->setValue(static_cast<int>(done));
        QCoreApplication::processEvents();
    }
    m_engine.showPastedTotal();
    m_engine.recordPastedSkips(column.skipped.size());
    const std::u16string pieces = std::move(*m_tapeBatch);
    m_tapeBatch.reset();
    m_showTape(pieces);
    progress.reset();
    m_render();
    if (!column.skipped.empty())
        m_services.messages.notice(&m_window, fromCore(engine::skippedMessage(column.skipped)),
                                   caption());
    return true;
}

void ColumnPaste::dropFile(const QString& path) {
    const platform::MemoFileRead read = platform::readMemoFile(path);
    if (!read.text) {
        m_services.messages.warning(&m_window, read.error, caption());
        return;
    }
    // A file is read whole, even one of a single amount; a .csv file as CSV, so that a
    // quoted "1,234" is one cell.
    const bool csv =
        QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0;
    const engine::PastedLayout layout = csv ? PastedLayout::Csv : PastedLayout::Rows;
    if (read.text->isEmpty()) {
        m_services.messages.notice(
            &m_window,
            QStringLiteral("「%1」には金額がありません。").arg(QFileInfo(path).fileName()),
            caption());
        return;
    }
    pasteColumn(*read.text, layout);
}

bool ColumnPaste::filterFileDrag(QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!droppedFile(drag->mimeData()))
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::optional<QString> path = droppedFile(drop->mimeData());
        if (!path)
            return false;
        drop->acceptProposedAction();
        dropFile(*path);
        return true;
    }
    return false;
}

} // namespace sumiplex::ui
