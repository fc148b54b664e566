#include "platform/printing.h"

#include <QPageSize>

#include <utility>

namespace sumiplex::platform {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72;
// How near the fake printers print to the paper's edges.
constexpr print::Margins kFakeMinimumMargins{5, 5, 5, 5};

class FakeJob final : public PrintJob {
public:
    FakeJob(FakePrinting::Document document, QSizeF paper, const FakePrinting::Printer& printer,
            std::vector<FakePrinting::Document>& printed, int& pending)
        : m_document(std::move(document)), m_paper(paper), m_failure(printer.failure),
          m_queue(printer.queue), m_silent(printer.silent), m_printed(printed), m_pending(pending) {
    }
    ~FakeJob() override {
        if (m_waiting)
            --m_pending;
    }
    FakeJob(const FakeJob&) = delete;
    FakeJob& operator=(const FakeJob&) = delete;

    QString printer() const override { return m_document.printer; }
    const print::TextMeasure& measure() const override { return m_measure; }
    QSizeF paperMm() const override { return m_paper; }
    print::Margins minimumMarginsMm() const override { return kFakeMinimumMargins; }
    bool addPage(const print::Page& page) override {
        if (!m_failure.isEmpty())
            return false;
        m_document.pages.push_back(page);
        return true;
    }
    void submit(std::function<void(const Handover&)> done) override {
        using Outcome = Handover::Outcome;
        if (!m_failure.isEmpty())
            return done({Outcome::Failed, m_failure});
        if (!m_queue.accepting)
            return done({Outcome::Refused, m_queue.message});
        if (m_silent) {
            m_done = std::move(done);
            m_waiting = true;
            ++m_pending;
            return;
        }
        m_printed.push_back(m_document);
        done(m_queue.stopped ? Handover{Outcome::Held, m_queue.message}
                             : Handover{Outcome::Queued, QString()});
    }
    void cancel() override {
        if (!m_waiting)
            return;
        m_waiting = false;
        --m_pending;
        std::exchange(m_done, {})({Handover::Outcome::Cancelled, QString()});
    }

private:
    FixedTextMeasure m_measure;
    FakePrinting::Document m_document;
    QSizeF m_paper;
    QString m_failure;
    QueueState m_queue;
    bool m_silent = false;
    std::vector<FakePrinting::Document>& m_printed;
    int& m_pending;
    bool m_waiting = false;
    std::function<void(const Handover&)> m_done;
};

} // namespace

double FixedTextMeasure::widthMm(std::u16string_view text, const print::PageFont& font) const {
    double ems = 0;
    for (char16_t c : text)
        ems += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 0.5 : 1;
    return ems * font.points * kMillimetresPerPoint;
}

double FixedTextMeasure::lineHeightMm(const print::PageFont& font) const {
    return 1.2 * font.points * kMillimetresPerPoint;
}

FakePrinting::FakePrinting() {
    const QList<PaperSize> office = {{9, QStringLiteral("A4"), QStringLiteral("A4")},
                                     {11, QStringLiteral("A5"), QStringLiteral("A5")},
                                     {13, QStringLiteral("B5"), QStringLiteral("B5")},
                                     {1, QStringLiteral("Letter"), QStringLiteral("Letter")},
                                     {43, QStringLiteral("はがき"), QStringLiteral("Postcard")}};
    Printer pdf;
    pdf.name = QStringLiteral("PDF");
    pdf.papers = {{9, QStringLiteral("A4"), QStringLiteral("A4")},
                  {1, QStringLiteral("Letter"), QStringLiteral("Letter")}};
    pdf.paperSource = 0;
    pdf.hasDriverSettings = false;
    setPrinters(
        {Printer{
             QStringLiteral("Office-Laser"), office, 999, 1, 9, {11906, 16838}, true, QString()},
         pdf},
        0);
}

void FakePrinting::setPrinters(QList<Printer> printers, int current) {
    m_printers = std::move(printers);
    m_current = current >= 0 && current < m_printers.size() ? m_printers[current].name : QString();
}

FakePrinting::Printer* FakePrinting::find(const QString& name) {
    for (Printer& p : m_printers)
        if (p.name == name)
            return &p;
    return nullptr;
}

QStringList FakePrinting::printerNames() {
    QStringList names;
    for (const Printer& p : m_printers)
        names << p.name;
    return names;
}

QString FakePrinting::currentPrinter() {
    return find(m_current) ? m_current : QString();
}

void FakePrinting::setCurrentPrinter(const QString& name) {
    if (find(name))
        m_current = name;
}

std::optional<QList<PaperSize>> FakePrinting::papers(const QString& printer) {
    const Printer* p = find(printer);
    if (!p || p->papers.isEmpty())
        return std::nullopt;
    return p->papers;
}

std::optional<int> FakePrinting::maxCopies(const QString& printer) {
    const Printer* p = find(printer);
    return p ? p->maxCopies : std::nullopt;
}

int FakePrinting::paperSource(const QString& printer) {
    const Printer* p = find(printer);
    return p ? p->paperSource : 0;
}

int FakePrinting::currentPaper(const QString& printer) {
    const Printer* p = find(printer);
    return p ? p->currentPaper : 0;
}

QSizeF FakePrinting::physicalPageTwips(const QString& printer) {
    const Printer* p = find(printer);
    return p ? p->pageTwips : QSizeF();
}

bool FakePrinting::setDefaultPaper(const QString& printer, const PaperSize& paper) {
    Printer* p = find(printer);
    if (!p || !p->papers.contains(paper))
        return false;
    p->currentPaper = paper.code;
    return true;
}

bool FakePrinting::showDriverSettings(QWidget*, const QString& printer) {
    ++m_driverSettingsShown;
    const Printer* p = find(printer);
    return p && p->hasDriverSettings;
}

std::optional<print::Margins> FakePrinting::showPageSetup(QWidget*, const QString& title,
                                                          const print::Margins& margins) {
    m_pageSetupTitles << title;
    m_pageSetupShown = margins;
    return std::exchange(m_pageSetupAnswer, std::nullopt);
}

JobStart FakePrinting::startJob(const QString& title, int paperCode,
                                print::Orientation orientation) {
    const Printer* p = find(m_current);
    if (!p)
        return {nullptr, QStringLiteral("no printer is installed")};
    QSizeF paper = QPageSize(QPageSize::id(paperCode)).size(QPageSize::Millimeter);
    if (orientation == print::Orientation::Landscape)
        paper.transpose();
    return {
        std::make_unique<FakeJob>(Document{p->name, title, {}}, paper, *p, m_documents, m_pending),
        QString()};
}

} // namespace sumiplex::platform
