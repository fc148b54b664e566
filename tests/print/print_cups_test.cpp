// Prints the tape, the memo and a denomination table through the print dialog and the
// desktop's printing onto a CUPS queue that writes PDF files, then reads the pages back.

#include "core/print/tax_summary.h"
#include "core/print/text_pages.h"
// moc cannot parse the standard library's concepts header that the core pulls in.
#ifndef Q_MOC_RUN
#include "core/engine/denominations.h"
#include "core/engine/tape.h"
#endif
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/print/frm_printer.h"
#include "ui/print/print_outs.h"
#include "ui/ui_fonts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>

using sumiplex::platform::CupsPrinting;
using sumiplex::platform::FakeMessageBoxes;
using sumiplex::platform::MessageIcon;
using sumiplex::print::Area;
using sumiplex::print::Margins;
using sumiplex::ui::frmPrinter;
using sumiplex::ui::PrintOutcome;

namespace {

const QString kQueue = QStringLiteral("SumiplexPDF");
QString g_outputFolder;
constexpr int kRasterDpi = 300;

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QSet<QString> pdfFiles() {
    const auto names = QDir(g_outputFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return QSet<QString>(names.begin(), names.end());
}

// The PDF file the queue wrote after `before`, once poppler can read it whole.
QString awaitNewPdf(const QSet<QString>& before) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        for (const QString& name : pdfFiles()) {
            if (before.contains(name))
                continue;
            const QString path = QDir(g_outputFolder).filePath(name);
            if (run(QStringLiteral("pdfinfo"), {path}).status == 0)
                return path;
        }
        QTest::qWait(100);
    }
    return {};
}

// A field of pdfinfo's report ("Pages", "Page size").
QString pdfInfo(const QString& pdf, const char* field) {
    for (const QByteArray& line : run(QStringLiteral("pdfinfo"), {pdf}).out.split('\n'))
        if (line.startsWith(QByteArray(field) + ':'))
            return QString::fromUtf8(line.mid(qstrlen(field) + 1).trimmed());
    return {};
}

// The pages' text; the fonts map some ideographs to their compatibility forms (the
// radical 金 for the ideograph 金), which compatibility normalisation folds back.
QString pdfText(const QString& pdf) {
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out)
        .normalized(QString::NormalizationForm_KC);
}

// Confirms the print dialog once it shows, after checking it lists the PDF queue.
void confirmOnPdfQueue() {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<frmPrinter*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the print dialog is not showing");
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("Combo3"));
        const int index = printers->findText(kQueue);
        if (index < 0)
            qFatal("the print dialog does not list %s", qPrintable(kQueue));
        printers->setCurrentIndex(index);
        emit printers->activated(index);
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
}

// Where print-outs with the margins go on A4 on the queue, and the queue's text measure.
struct Probe {
    Area area;
    std::unique_ptr<sumiplex::platform::PrintJob> job;
};

Probe probe(CupsPrinting& printing, const Margins& margins) {
    printing.setCurrentPrinter(kQueue);
    auto start =
        printing.startJob(QStringLiteral("probe"), 9, sumiplex::print::Orientation::Portrait);
    if (!start.job)
        qFatal("no job on the queue: %s", qPrintable(start.error));
    const Area area = sumiplex::ui::printAreaOf(*start.job, margins);
    return {area, std::move(start.job)};
}

QWidget* progressWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"PrintProgress")
            return w;
    return nullptr;
}

// Runs a CUPS administration command (they live in /usr/sbin).
bool admin(const char* tool, const QStringList& arguments) {
    QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QString::fromLatin1(tool),
                                                 {QStringLiteral("/usr/sbin")});
    return !program.isEmpty() && run(program, arguments).status == 0;
}

// A grey raster of the first page; a pixel is dark below 128.
struct Raster {
    int width = 0;
    int height = 0;
    QByteArray pixels;
    [[nodiscard]] bool dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               static_cast<unsigned char>(pixels[y * width + x]) < 128;
    }
};

Raster rasterise(const QString& pdf) {
    const Run r = run(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(kRasterDpi), QStringLiteral("-gray"),
                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("1"), pdf});
    // Binary PGM: "P5\nW H\n255\n" then the pixels.
    Raster raster;
    const QByteArray& d = r.out;
    qsizetype pos = 0;
    QList<QByteArray> fields;
    while (fields.size() < 4 && pos < d.size()) {
        while (pos < d.size() && std::isspace(static_cast<unsigned char>(d[pos])))
            ++pos;
        const qsizetype start = pos;
        while (pos < d.size() && !std::isspace(static_cast<unsigned char>(d[pos])))
            ++pos;
        fields << d.mid(start, pos - start);
    }
    if (fields.size() < 4 || fields[0] != "P5")
        return raster;
    raster.width = fields[1].toInt();
    raster.height = fields[2].toInt();
    raster.pixels = d.mid(pos + 1);
    if (raster.pixels.size() < qsizetype(raster.width) * raster.height)
        raster.width = raster.height = 0;
    return raster;
}

int px(double mm) {
    return static_cast<int>(std::lround(mm * kRasterDpi / 25.4));
}

// Where a horizontal rule crosses the band [x1, x2] near y (mm on paper): the mean row of
// the rows that are dark all along the band, or NaN when there is none within 1.5 mm.
double ruleRow(const Raster& r, double y, double x1, double x2) {
    double sum = 0;
    int rows = 0;
    for (int row = px(y - 1.5); row <= px(y + 1.5); ++row) {
        int dark = 0;
        for (int col = px(x1); col <= px(x2); ++col)
            dark += r.dark(col, row) ? 1 : 0;
        if (dark >= (px(x2) - px(x1) + 1) * 9 / 10) {
            sum += row;
            ++rows;
        }
    }
    return rows ? (sum / rows + 0.5) * 25.4 / kRasterDpi : std::nan("");
}

double ruleColumn(const Raster& r, double x, double y1, double y2) {
    double sum = 0;
    int cols = 0;
    for (int col = px(x - 1.5); col <= px(x + 1.5); ++col) {
        int dark = 0;
        for (int row = px(y1); row <= px(y2); ++row)
            dark += r.dark(col, row) ? 1 : 0;
        if (dark >= (px(y2) - px(y1) + 1) * 9 / 10) {
            sum += col;
            ++cols;
        }
    }
    return cols ? (sum / cols + 0.5) * 25.4 / kRasterDpi : std::nan("");
}

// The first row (in mm from the top) with a dark pixel, and the leftmost dark column.
QPointF firstInk(const Raster& r) {
    double top = std::nan("");
    double left = std::nan("");
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            if (r.dark(x, y)) {
                if (std::isnan(top))
                    top = y * 25.4 / kRasterDpi;
                if (std::isnan(left) || x * 25.4 / kRasterDpi < left)
                    left = x * 25.4 / kRasterDpi;
            }
    return {left, top};
}

// The right edge (mm) of the ink in a band of the page, or NaN when it is blank.
double inkRight(const Raster& r, double x1, double x2, double y1, double y2) {
    for (int x = px(x2); x >= px(x1); --x)
        for (int y = px(y1); y <= px(y2); ++y)
            if (r.dark(x, y))
                return (x + 1) * 25.4 / kRasterDpi;
    return std::nan("");
}

} // namespace

class PrintCupsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void longTapeContinuesOnFurtherPages();
    void tapePrintedFromTheMenuCarriesItsNotes();
    void memoPrintsJapaneseAndWrapsAWideLine();
    void denominationTableLinesAtTheirMillimetres();
    void firstLineKeepsTheMarginsSet();
    void taxSummaryColumnsAreAligned();
    void lpThatNeverAnswersLeavesTheWindowWorking();
    void stoppedOrRejectingQueueIsReported();
    void paperChosenInTheDialogBecomesTheQueueDefault();
    void vanishedQueueReportsTheFailure();

private:
    CupsPrinting m_printing;
    FakeMessageBoxes m_messages;
};

void PrintCupsTest::initTestCase() {
    sumiplex::ui::installFontSubstitutions();
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm", "lp"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    QVERIFY2(m_printing.printerNames().contains(kQueue), "the PDF queue is not installed");
}

void PrintCupsTest::longTapeContinuesOnFurtherPages() {
    QString tape;
    constexpr int kLines = 200;
    for (int i = 1; i <= kLines; ++i)
        tape += QStringLiteral("tape line %1 +%2\r\n").arg(i).arg(i * 10);
    const sumiplex::print::PageFont font{u"", 10};
    // The lines one page takes, from the printer's own measure.
    int perPage = 0;
    {
        const Probe p = probe(m_printing, sumiplex::print::kDefaultMargins);
        perPage = static_cast<int>(p.area.height / p.job->measure().lineHeightMm(font));
    }
    QVERIFY(perPage > 10 && perPage < kLines);
    const auto before = pdfFiles();
    confirmOnPdfQueue();
    QCOMPARE(sumiplex::ui::printPlainText(nullptr, {m_printing, m_messages}, QStringLiteral("tape"),
                                          tape, font),
             PrintOutcome::Sending);
    const QString pdf = awaitNewPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no PDF file came out of the queue");
    QCOMPARE(pdfInfo(pdf, "Pages").toInt(), (kLines + perPage - 1) / perPage);
    QVERIFY2(pdfInfo(pdf, "Page size").contains(QStringLiteral("A4")),
             qPrintable(pdfInfo(pdf, "Page size")));
    const QString text = pdfText(pdf);
    qsizetype at = 0;
    for (int i = 1; i <= kLines; ++i) {
        at = text.indexOf(QStringLiteral("tape line %1 +%2").arg(i).arg(i * 10), at);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("line %1 is missing or out of order").arg(i)));
    }
}

void PrintCupsTest::tapePrintedFromTheMenuCarriesItsNotes() {
    sumiplex::platform::FakeClock clock;
    sumiplex::platform::FakeSettingsStore settings;
    sumiplex::platform::FakeFileDialogs files;
    sumiplex::platform::FakePickerDialogs pickers;
    sumiplex::platform::FakeShell shell;
    QTemporaryDir noPictures;
    sumiplex::ui::frmMain window(sumiplex::ui::Services{clock, settings, files, m_messages, pickers,
                                                        shell, m_printing, noPictures.path()});
    window.show();
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    QTest::keyClicks(input, "1200+380+25+");
    QVERIFY(window.tape().setNote(0, u"交通費"));
    QVERIFY(window.tape().setNote(2, u"伝票No.123"));
    const auto before = pdfFiles();
    confirmOnPdfQueue();
    window.findChild<QAction*>(QStringLiteral("mnuFilePrint"))->trigger();
    const QString pdf = awaitNewPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no PDF file came out of the queue");
    // Each note on its own line, after that line's figures; the line without one unchanged.
    const QStringList lines = pdfText(pdf).split(u'\n', Qt::SkipEmptyParts);
    const auto lineWith = [&lines](const QString& figures) {
        for (const QString& line : lines)
            if (line.contains(figures))
                return line.simplified();
        return QString();
    };
    QCOMPARE(lineWith(QStringLiteral("0 +1200")), QStringLiteral("0 +1200= 1,200 交通費"));
    QCOMPARE(lineWith(QStringLiteral("1,200 +380")), QStringLiteral("1,200 +380= 1,580"));
    QCOMPARE(lineWith(QStringLiteral("1,580 +25")), QStringLiteral("1,580 +25= 1,605 伝票No.123"));
}

void PrintCupsTest::memoPrintsJapaneseAndWrapsAWideLine() {
    const QString wide = QStringLiteral("W").repeated(150) + QStringLiteral("END");
    const QString memo =
        QStringLiteral("ﾒﾓ 合計 12,345円\r\n") + wide + QStringLiteral("\r\n最後の行");
    const auto before = pdfFiles();
    confirmOnPdfQueue();
    QCOMPARE(sumiplex::ui::printPlainText(nullptr, {m_printing, m_messages}, QStringLiteral("memo"),
                                          memo, {u"", 14}),
             PrintOutcome::Sending);
    const QString pdf = awaitNewPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no PDF file came out of the queue");
    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("1"));
    QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("合計 12,345円")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("最後の行")), qPrintable(text));
    // The wide line is wrapped, not cut: every W and the end arrive, over several lines.
    const qsizetype start = text.indexOf(u'W');
    const qsizetype end = text.indexOf(QStringLiteral("END"));
    QVERIFY(start >= 0 && end > start);
    const QString wrapped = text.mid(start, end + 3 - start);
    QVERIFY2(wrapped.count(u'\n') >= 1, qPrintable(wrapped));
    QCOMPARE(QString(wrapped).remove(u'\n').remove(u' '), wide);
}

void PrintCupsTest::denominationTableLinesAtTheirMillimetres() {
    sumiplex::print::DenominationPrintout table;
    const char16_t* counts[] = {u"12", u"1", u"0", u"3", u"0", u"0", u"7", u"0", u"4"};
    const char16_t* amounts[] = {u"120,000", u"5,000", u"0", u"1,500", u"0",
                                 u"0",       u"70",    u"0", u"4"};
    for (std::size_t k = 0; k < 9; ++k)
        table.rows[k] = {std::u16string(sumiplex::cash::kPrintedFaceValues[k]), counts[k],
                         amounts[k]};
    table.total = u"126,574";
    const Area area = probe(m_printing, sumiplex::print::kDefaultMargins).area;
    const auto before = pdfFiles();
    confirmOnPdfQueue();
    QCOMPARE(sumiplex::ui::printDenominationTable(nullptr, {m_printing, m_messages}, table),
             PrintOutcome::Sending);
    const QString pdf = awaitNewPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no PDF file came out of the queue");
    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("1"));
    const QString text = pdfText(pdf);
    // The figures go through the queue's PostScript step as glyphs without text, so only
    // the captions can be read back; the figures' places are checked in the layout tests.
    for (const char* s : {"金種", "枚数", "金額"})
        QVERIFY2(text.contains(QString::fromUtf8(s)), s);

    const Raster raster = rasterise(pdf);
    QVERIFY(raster.width > 0);
    // The table's places are measured from the corner of the margins.
    const double ox = area.left;
    const double oy = area.top;
    // Rules across the table, checked left of the denominations (x 27..34).
    for (double y : {20.0, 30.0, 40.0, 50.0, 60.0, 70.0, 80.0, 90.0, 100.0, 110.0, 120.0, 130.0}) {
        const double found = ruleRow(raster, oy + y, ox + 27, ox + 34) - oy;
        QVERIFY2(std::abs(found - y) <= 0.5,
                 qPrintable(QStringLiteral("rule at %1 mm found at %2 mm").arg(y).arg(found)));
    }
    // Column rules, checked in the header row under its captions (y 30.5..34).
    for (double x : {25.0, 60.0, 95.0, 135.0}) {
        const double found = ruleColumn(raster, ox + x, oy + 30.5, oy + 34) - ox;
        QVERIFY2(
            std::abs(found - x) <= 0.5,
            qPrintable(QStringLiteral("column rule at %1 mm found at %2 mm").arg(x).arg(found)));
    }
    // Rounded corners: the very corner point stays white, the arc passes beside it.
    QVERIFY(!raster.dark(px(ox + 25), px(oy + 20)));
    QVERIFY(!raster.dark(px(ox + 135), px(oy + 130)));
}

void PrintCupsTest::paperChosenInTheDialogBecomesTheQueueDefault() {
    m_printing.setCurrentPrinter(kQueue);
    const auto describe = [this] {
        frmPrinter dialog(m_printing);
        return dialog.findChild<QComboBox*>(QStringLiteral("Combo2"))->currentText();
    };
    QCOMPARE(describe(), QStringLiteral("A4、210 x 297 mm"));
    {
        frmPrinter dialog(m_printing);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label6"))->text(),
                 QStringLiteral("このプリンターの最大印刷部数は　9999枚です。"));
        auto* papers = dialog.findChild<QComboBox*>(QStringLiteral("Combo2"));
        auto* codes = dialog.findChild<QComboBox*>(QStringLiteral("Combo1"));
        const int letter = codes->findText(QStringLiteral("LETTER"));
        QVERIFY(letter >= 0);
        papers->setCurrentIndex(letter);
        emit papers->activated(letter);
    }
    const QString chosen = describe();
    // Back to the queue's own default before anything can fail.
    run(QStringLiteral("lpoptions"),
        {QStringLiteral("-p"), kQueue, QStringLiteral("-r"), QStringLiteral("PageSize")});
    QCOMPARE(chosen, QStringLiteral("レター、8 1/2 x 11 インチ"));
    QCOMPARE(describe(), QStringLiteral("A4、210 x 297 mm"));
}

void PrintCupsTest::vanishedQueueReportsTheFailure() {
    // A queue that is gone by the time the document is sent.
    const QString gone = QStringLiteral("SumiplexGone%1").arg(QCoreApplication::applicationPid());
    m_printing.setCurrentPrinter(gone);
    auto start =
        m_printing.startJob(QStringLiteral("gone"), 9, sumiplex::print::Orientation::Portrait);
    QVERIFY2(start.job, qPrintable(start.error));
    sumiplex::print::Page page;
    sumiplex::print::PageOp op;
    op.kind = sumiplex::print::PageOp::Kind::Text;
    op.text = u"x";
    op.font = {u"", 10};
    page.ops.push_back(op);
    QVERIFY(start.job->addPage(page));
    std::optional<sumiplex::platform::Handover> ended;
    start.job->submit([&ended](const sumiplex::platform::Handover& h) { ended = h; });
    QTRY_VERIFY_WITH_TIMEOUT(ended.has_value(), 70000);
    QVERIFY2(ended->outcome == sumiplex::platform::Handover::Outcome::Failed ||
                 ended->outcome == sumiplex::platform::Handover::Outcome::Refused,
             "a document sent to a missing queue was reported as printed");
    QVERIFY2(ended->outcome == sumiplex::platform::Handover::Outcome::Refused ||
                 !ended->reason.isEmpty(),
             "the failure has no reason");
}

void PrintCupsTest::firstLineKeepsTheMarginsSet() {
    const Margins margins{25, 20, 15, 15};
    const auto before = pdfFiles();
    confirmOnPdfQueue();
    QCOMPARE(sumiplex::ui::printPlainText(
                 nullptr, {m_printing, m_messages, margins}, QStringLiteral("margins"),
                 QStringLiteral("ÉÀ 1,234 合計\r\nsecond line"), {u"", 12}),
             PrintOutcome::Sending);
    const QString pdf = awaitNewPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no PDF file came out of the queue");
    const QPointF ink = firstInk(rasterise(pdf));
    // The first line's ink starts at the margins, and not far below them.
    QVERIFY2(ink.y() >= margins.top && ink.y() < margins.top + 6,
             qPrintable(QStringLiteral("first ink at %1 mm from the top").arg(ink.y())));
    QVERIFY2(ink.x() >= margins.left - 0.2 && ink.x() < margins.left + 3,
             qPrintable(QStringLiteral("first ink at %1 mm from the left").arg(ink.x())));
}

void PrintCupsTest::taxSummaryColumnsAreAligned() {
    sumiplex::print::TaxSummaryPrintout printout;
    printout.date = u"2026年12月7日";
    printout.baseHeading = u"対象額(税込)";
    printout.taxHeading = u"内消費税";
    printout.rates = {{u"10%対象", u"1,234,567,890円", u"112,233,444円"},
                      {u"※8%対象", u"5,400円", u"400円"}};
    printout.totals = {{u"合計", u"1,234,573,290円", u"112,233,844円"}};
    printout.notes = {u"※は軽減税率対象"};
    const Probe p = probe(m_printing, sumiplex::print::kDefaultMargins);
    const auto page = sumiplex::print::taxSummaryPage(printout, p.job->measure(), p.area);
    const auto before = pdfFiles();
    confirmOnPdfQueue();
    QCOMPARE(sumiplex::ui::printTaxSummary(nullptr, {m_printing, m_messages}, printout),
             PrintOutcome::Sending);
    const QString pdf = awaitNewPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no PDF file came out of the queue");
    QVERIFY(pdfText(pdf).contains(QStringLiteral("税率別集計")));
    const Raster raster = rasterise(pdf);
    QVERIFY(raster.width > 0);
    // Each amount's ink ends on the edge its column was laid out to, whatever its length.
    const auto& measure = p.job->measure();
    std::map<long, std::vector<double>> endsByEdge; // tenths of a mm → ink ends
    for (const auto& op : page.ops) {
        if (op.kind != sumiplex::print::PageOp::Kind::Text || !op.text.ends_with(u"円"))
            continue;
        const double edge = op.x1 + measure.widthMm(op.text, op.font);
        endsByEdge[std::lround(edge * 10)].push_back(inkRight(
            raster, op.x1, edge + 2, op.y1 + 0.5, op.y1 + measure.lineHeightMm(op.font) - 0.5));
    }
    QCOMPARE(endsByEdge.size(), std::size_t{2});
    for (const auto& [edge, ends] : endsByEdge) {
        QCOMPARE(ends.size(), std::size_t{3});
        const auto [low, high] = std::minmax_element(ends.begin(), ends.end());
        QVERIFY2(*high - *low < 0.3 && std::abs(*low - edge / 10.0) < 0.5,
                 qPrintable(QStringLiteral("ink ends %1..%2 mm on a column edge at %3 mm")
                                .arg(*low)
                                .arg(*high)
                                .arg(edge / 10.0)));
    }
    // The page is kept for a look: $SUMIPLEX_KEEP_PAGE names where.
    if (const QString keep = qEnvironmentVariable("SUMIPLEX_KEEP_PAGE"); !keep.isEmpty())
        QFile::copy(pdf, keep);
}

void PrintCupsTest::lpThatNeverAnswersLeavesTheWindowWorking() {
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    QFile lp(bin.filePath(QStringLiteral("lp")));
    QVERIFY(lp.open(QIODevice::WriteOnly));
    lp.write("#!/bin/sh\nexec sleep 600\n");
    lp.close();
    lp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
    const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });

    const std::size_t messagesBefore = m_messages.shown().size();
    QElapsedTimer clock;
    clock.start();
    confirmOnPdfQueue();
    QCOMPARE(sumiplex::ui::printPlainText(nullptr, {m_printing, m_messages},
                                          QStringLiteral("silent"), QStringLiteral("x"), {u"", 10}),
             PrintOutcome::Sending);
    QVERIFY2(clock.elapsed() < 5000, "printing waited for lp");
    QWidget* progress = progressWindow();
    QVERIFY(progress);
    QTRY_VERIFY(progress->isVisible());
    // The event loop keeps turning while lp keeps silent.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(50);
    QTest::qWait(1500);
    QVERIFY2(ticks >= 10, qPrintable(QStringLiteral("%1 ticks in 1.5 s").arg(ticks)));
    QVERIFY(progressWindow());
    progress->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QTRY_VERIFY(!progressWindow());
    QCOMPARE(m_messages.shown().size(), messagesBefore);
}

void PrintCupsTest::stoppedOrRejectingQueueIsReported() {
    struct Case {
        const char* stop;
        const char* resume;
        MessageIcon icon;
        QString words;
    };
    const Case cases[] = {
        {"cupsdisable", "cupsenable", MessageIcon::Warning, QStringLiteral("停止しています")},
        {"cupsreject", "cupsaccept", MessageIcon::Critical,
         QStringLiteral("印刷を受け付けていません")},
    };
    for (const Case& c : cases) {
        if (!admin(c.stop, {QStringLiteral("-r"), QStringLiteral("held by the test"), kQueue}))
            QSKIP(qPrintable(QStringLiteral("%1 could not be run").arg(QLatin1String(c.stop))));
        const auto resume = qScopeGuard([&c] { admin(c.resume, {kQueue}); });
        const std::size_t before = m_messages.shown().size();
        const auto files = pdfFiles();
        confirmOnPdfQueue();
        (void)sumiplex::ui::printPlainText(nullptr, {m_printing, m_messages},
                                           QStringLiteral("held"), QStringLiteral("x"), {u"", 10});
        QTRY_VERIFY_WITH_TIMEOUT(m_messages.shown().size() == before + 1, 20000);
        const auto& shown = m_messages.shown().back();
        QCOMPARE(shown.icon, c.icon);
        QVERIFY2(shown.text.contains(c.words) &&
                     shown.text.contains(QStringLiteral("held by the test")),
                 qPrintable(shown.text));
        QVERIFY(shown.text.contains(kQueue));
        if (c.icon == MessageIcon::Warning) {
            // Resumed, the queue prints what it held.
            admin(c.resume, {kQueue});
            QVERIFY2(!awaitNewPdf(files).isEmpty(), "the held document never printed");
        }
    }
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const Run queue = run(QStringLiteral(SUMIPLEX_PDF_QUEUE_SCRIPT), {});
    if (queue.status == 77) {
        std::fputs(queue.err.constData(), stdout);
        return 77;
    }
    if (queue.status != 0) {
        std::fprintf(stderr, "the PDF queue could not be prepared: %s\n", queue.err.constData());
        return 1;
    }
    g_outputFolder = QString::fromLocal8Bit(queue.out).trimmed();
    PrintCupsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "print_cups_test.moc"
