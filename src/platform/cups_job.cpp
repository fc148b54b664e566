// A document printed through CUPS: drawn into a PDF file, then handed to the queue.

#include "platform/cups_job.h"
#include "platform/cups_tools.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace sumiplex::platform::detail {

namespace {

// Pen widths are given in device pixels of a common office printer.
constexpr int kResolutionDpi = 600;
constexpr double kMillimetresPerInch = 25.4;

double toPixels(double mm) {
    return mm * kResolutionDpi / kMillimetresPerInch;
}

QFont fontFor(const print::PageFont& pageFont) {
    QFont font;
    if (!pageFont.family.empty())
        font.setFamily(QString::fromStdU16String(pageFont.family));
    font.setPointSizeF(pageFont.points > 0 ? pageFont.points : font.pointSizeF());
    return font;
}

class PrinterMeasure final : public print::TextMeasure {
public:
    explicit PrinterMeasure(QPaintDevice& device) : m_device(device) {}
    double widthMm(std::u16string_view text, const print::PageFont& font) const override {
        const QFontMetricsF metrics(fontFor(font), &m_device);
        return metrics.horizontalAdvance(
                   QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()))) *
               kMillimetresPerInch / kResolutionDpi;
    }
    double lineHeightMm(const print::PageFont& font) const override {
        const QFontMetricsF metrics(fontFor(font), &m_device);
        return metrics.lineSpacing() * kMillimetresPerInch / kResolutionDpi;
    }

private:
    QPaintDevice& m_device;
};

// The document is drawn into a PDF file page by page. Handing it over runs beside the
// window: the queue is asked whether it takes documents and whether it is stopped, then lp
// gets the file; each tool is a process whose end is heard from the event loop, so a queue
// that does not answer never holds up the program.
class CupsJob final : public PrintJob {
public:
    CupsJob(QString printer, QString title, const QPageSize& size, print::Orientation orientation)
        : m_printer(std::move(printer)), m_title(std::move(title)), m_mediaKey(size.key()),
          m_measure(m_pdf) {
        const QPageLayout::Orientation o = orientation == print::Orientation::Landscape
                                               ? QPageLayout::Landscape
                                               : QPageLayout::Portrait;
        // How near the edges the printer can print is what its driver declares.
        QPrinter native(QPrinterInfo::printerInfo(m_printer), QPrinter::HighResolution);
        native.setPageSize(size);
        native.setPageOrientation(o);
        QPageLayout nativeLayout = native.pageLayout();
        nativeLayout.setUnits(QPageLayout::Millimeter);
        const QMarginsF minimum = nativeLayout.minimumMargins();
        m_minimum =
            print::Margins{minimum.left(), minimum.top(), minimum.right(), minimum.bottom()};

        m_file = m_folder.filePath(QStringLiteral("document.pdf"));
        m_pdf.setOutputFormat(QPrinter::PdfFormat);
        m_pdf.setOutputFileName(m_file);
        m_pdf.setResolution(kResolutionDpi);
        m_pdf.setDocName(m_title);
        // The pages are laid out on the whole paper: their places are measured from its
        // corner, and the layouts keep the margins themselves.
        m_pdf.setFullPage(true);
        m_pdf.setPageLayout(QPageLayout(size, o, QMarginsF(), QPageLayout::Millimeter));
    }

    ~CupsJob() override { stopProcess(); }
    CupsJob(const CupsJob&) = delete;
    CupsJob& operator=(const CupsJob&) = delete;

    [[nodiscard]] QString begin() {
        if (!m_folder.isValid())
            return QStringLiteral("no temporary folder for the document: %1")
                .arg(m_folder.errorString());
        if (!m_painter.begin(&m_pdf))
            return QStringLiteral("the document could not be started in %1").arg(m_file);
        return {};
    }

    QString printer() const override { return m_printer; }
    const print::TextMeasure& measure() const override { return m_measure; }

    QSizeF paperMm() const override {
        return m_pdf.pageLayout().fullRect(QPageLayout::Millimeter).size();
    }

    print::Margins minimumMarginsMm() const override { return m_minimum; }

    bool addPage(const print::Page& page) override {
        if (!m_failure.isEmpty())
            return false;
        if (!m_painter.isActive() || (m_pages > 0 && !m_pdf.newPage())) {
            m_failure = QStringLiteral("page %1 could not be started").arg(m_pages + 1);
            return false;
        }
        ++m_pages;
        for (const print::PageOp& op : page.ops)
            draw(op);
        return true;
    }

    void submit(std::function<void(const Handover&)> done) override {
        m_done = std::move(done);
        if (const auto error = closeDocument())
            return report({Handover::Outcome::Failed, *error});
        askQueue();
    }

    void cancel() override {
        if (!m_done)
            return;
        stopProcess();
        report({Handover::Outcome::Cancelled, QString()});
    }

private:
    // Ends the document; nothing when the file is whole, else why not.
    std::optional<QString> closeDocument() {
        // A document missing a page is never sent as if it were whole.
        if (!m_failure.isEmpty())
            return m_failure;
        if (m_painter.isActive() && !m_painter.end())
            return QStringLiteral("the document could not be finished");
        if (m_pages == 0)
            return QStringLiteral("the document has no pages");
        // A full disk leaves a short or empty file behind without telling the painter.
        QFile file(m_file);
        if (!file.open(QIODevice::ReadOnly) || file.size() < 8)
            return QStringLiteral("the document could not be written to %1").arg(m_file);
        file.seek(file.size() - 8);
        if (!file.read(8).contains("%%EOF"))
            return QStringLiteral("the document in %1 is incomplete (is the disk full?)")
                .arg(m_file);
        return std::nullopt;
    }

    // A queue that cannot be asked is not taken as refusing: lp then has the last word.
    void askQueue() {
        start(QStringLiteral("ipptool"),
              {QStringLiteral("-tv"), printerUri(m_printer),
               QStringLiteral("get-printer-attributes.test")},
              kToolTimeoutMs, [this](bool finished, QProcess& process) {
                  const QueueState queue =
                      finished ? queueStateOf(parseIppAttributes(
                                     QString::fromLocal8Bit(process.readAllStandardOutput())))
                               : QueueState{};
                  if (!queue.accepting)
                      return report({Handover::Outcome::Refused, queue.message});
                  handOver(queue);
              });
    }

    void handOver(const QueueState& queue) {
        start(QStringLiteral("lp"),
              {QStringLiteral("-d"), m_printer, QStringLiteral("-t"), m_title, QStringLiteral("-o"),
               QStringLiteral("media=") + m_mediaKey, m_file},
              kSubmitTimeoutMs, [this, queue](bool finished, QProcess& process) {
                  if (!finished)
                      return report({Handover::Outcome::Failed,
                                     process.error() == QProcess::FailedToStart
                                         ? QStringLiteral("lp を起動できませんでした。")
                                         : QStringLiteral("lp が %1 秒たっても応答しないため、"
                                                          "送るのをやめました。")
                                               .arg(kSubmitTimeoutMs / 1000)});
                  const QString error =
                      QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
                  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
                      return report(
                          {Handover::Outcome::Failed,
                           error.isEmpty()
                               ? QStringLiteral("lp ended with status %1").arg(process.exitCode())
                               : error});
                  report(queue.stopped ? Handover{Handover::Outcome::Held, queue.message}
                                       : Handover{Handover::Outcome::Queued, QString()});
              });
    }

    // Runs a tool directly (never through a shell); `then` hears whether it finished (false:
    // it could not start or ran out of time) once the event loop sees it end.
    void start(const QString& program, const QStringList& arguments, int timeoutMs,
               std::function<void(bool, QProcess&)> then) {
        stopProcess();
        m_process = std::make_unique<QProcess>();
        m_then = std::move(then);
        QProcess* process = m_process.get();
        QObject::connect(process, &QProcess::finished, process, [this] { settle(true); });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [this](QProcess::ProcessError e) {
                             if (e == QProcess::FailedToStart)
                                 settle(false);
                         });
        m_deadline.setSingleShot(true);
        m_deadline.disconnect();
        QObject::connect(&m_deadline, &QTimer::timeout, process, [this] {
            m_process->disconnect();
            m_process->kill();
            m_process->waitForFinished(1000);
            settle(false);
        });
        m_deadline.start(timeoutMs);
        process->start(program, arguments);
    }

    void settle(bool finished) {
        m_deadline.stop();
        // The process goes once its signal has returned; the step after it may start another.
        std::unique_ptr<QProcess> process = std::move(m_process);
        process->disconnect();
        auto then = std::exchange(m_then, {});
        then(finished, *process);
        process.release()->deleteLater();
    }

    void stopProcess() {
        m_deadline.stop();
        if (!m_process)
            return;
        m_process->disconnect();
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            m_process->waitForFinished(1000);
        }
        m_process.reset();
        m_then = {};
    }

    void report(const Handover& handover) {
        if (auto done = std::exchange(m_done, {}))
            done(handover);
    }

    void draw(const print::PageOp& op) {
        QPen pen(Qt::black);
        pen.setWidth(std::max(op.penWidth, 1));
        pen.setCapStyle(Qt::FlatCap);
        m_painter.setPen(pen);
        switch (op.kind) {
        case print::PageOp::Kind::Line:
            m_painter.drawLine(QPointF(toPixels(op.x1), toPixels(op.y1)),
                               QPointF(toPixels(op.x2), toPixels(op.y2)));
            break;
        case print::PageOp::Kind::Arc: {
            const double r = toPixels(op.radius);
            const QRectF box(toPixels(op.x1) - r, toPixels(op.y1) - r, 2 * r, 2 * r);
            m_painter.drawArc(box, static_cast<int>(op.startDegrees * 16),
                              static_cast<int>(op.spanDegrees * 16));
            break;
        }
        case print::PageOp::Kind::Text: {
            m_painter.setFont(fontFor(op.font));
            const QString text = QString::fromStdU16String(op.text);
            const QRectF box(toPixels(op.x1), toPixels(op.y1), toPixels(1000), toPixels(1000));
            m_painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
            break;
        }
        }
    }

    QString m_printer;
    QString m_title;
    QString m_mediaKey;
    print::Margins m_minimum;
    QTemporaryDir m_folder;
    QString m_file;
    QPrinter m_pdf{QPrinter::HighResolution};
    QPainter m_painter;
    PrinterMeasure m_measure;
    int m_pages = 0;
    QString m_failure;
    std::function<void(const Handover&)> m_done;
    std::unique_ptr<QProcess> m_process;
    std::function<void(bool, QProcess&)> m_then;
    QTimer m_deadline;
};

} // namespace

JobStart startCupsJob(const QString& printer, const QString& title, const QPageSize& size,
                      print::Orientation orientation) {
    auto job = std::make_unique<CupsJob>(printer, title, size, orientation);
    const QString error = job->begin();
    if (!error.isEmpty())
        return {nullptr, error};
    return {std::move(job), QString()};
}

} // namespace sumiplex::platform::detail
