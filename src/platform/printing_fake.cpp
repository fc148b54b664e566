#include "platform/printing.h"

namespace sumiplex::platform {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72;
// The fake page's printable area: A4 less 5 mm all round.
constexpr double kPrintableWidthMm = 200;
constexpr double kPrintableHeightMm = 287;

class FakeJob final : public PrintJob {
public:
    FakeJob(FakePrinting::Document document, std::vector<FakePrinting::Document>& printed,
            QString failure)
        : m_document(std::move(document)), m_printed(printed), m_failure(std::move(failure)) {}

    const print::TextMeasure& measure() const override { return m_measure; }
    QSizeF printableMm() const override { return {kPrintableWidthMm, kPrintableHeightMm}; }
    QPointF printableOriginMm() const override { return {5, 5}; }
    bool addPage(const print::Page& page) override {
        if (!m_failure.isEmpty())
            return false;
        m_document.pages.push_back(page);
        return true;
    }
    std::optional<QString> finish() override {
        if (!m_failure.isEmpty())
            return m_failure;
        m_printed.push_back(std::move(m_document));
        return std::nullopt;
    }

private:
    FixedTextMeasure m_measure;
    FakePrinting::Document m_document;
    std::vector<FakePrinting::Document>& m_printed;
    QString m_failure;
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

void FakePrinting::showPageSetup(QWidget*, const QString& title) {
    m_pageSetupTitles << title;
}

JobStart FakePrinting::startJob(const QString& title, int, print::Orientation) {
    const Printer* p = find(m_current);
    if (!p)
        return {nullptr, QStringLiteral("no printer is installed")};
    return {std::make_unique<FakeJob>(Document{p->name, title, {}}, m_documents, p->failure),
            QString()};
}

} // namespace sumiplex::platform
