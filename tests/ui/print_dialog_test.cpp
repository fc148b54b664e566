#include "platform/dialogs.h"
#include "platform/printing.h"
#include "ui/print/frm_printer.h"
#include "ui/print/print_outs.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using sumiplex::platform::FakeMessageBoxes;
using sumiplex::platform::FakePrinting;
using sumiplex::platform::PaperSize;
using sumiplex::ui::frmPrinter;
using sumiplex::ui::PrintOutcome;

namespace {

template <typename Widget> Widget* child(QObject& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QStringList items(const QComboBox& combo) {
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i);
    return out;
}

FakePrinting::Printer printer(const QString& name, QList<int> codes) {
    FakePrinting::Printer p;
    p.name = name;
    for (int code : codes)
        p.papers.append(
            PaperSize{code, QStringLiteral("paper %1").arg(code), QString::number(code)});
    return p;
}

// Presses a button of the print dialog as soon as it is shown modally.
void pressWhenShown(const char* button) {
    QTimer::singleShot(0, [button] {
        auto* dialog = qobject_cast<frmPrinter*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the print dialog is not showing");
        child<QPushButton>(*dialog, button)->click();
    });
}

} // namespace

class PrintDialogTest : public QObject {
    Q_OBJECT
private slots:
    void paperListNamesTheDriversCodes();
    void userDefinedPaperDescribesThePhysicalPage();
    void failedDriverQueryGreysThePaperGroup_data();
    void failedDriverQueryGreysThePaperGroup();
    void choosingPaperWritesTheDefaultEvenWhenCancelled();
    void propertiesReselectsThePrinterChosenAtLoad();
    void printsOnlyWhenConfirmed_data();
    void printsOnlyWhenConfirmed();
    void denominationTableGoesToTheChosenPrinter();
};

void PrintDialogTest::paperListNamesTheDriversCodes() {
    FakePrinting printing;
    FakePrinting::Printer p = printer(QStringLiteral("P1"), {9, 11, 56, 300});
    p.maxCopies = 999;
    printing.setPrinters({p}, 0);
    frmPrinter dialog(printing);
    QCOMPARE(items(*child<QComboBox>(dialog, "Combo1")),
             (QStringList{"A4", "A5", "UNKNOWN(56)", "USER(300)"}));
    QCOMPARE(items(*child<QComboBox>(dialog, "Combo2")),
             (QStringList{"paper 9", "paper 11", "paper 56", "paper 300"}));
    QCOMPARE(child<QComboBox>(dialog, "Combo2")->currentText(), QStringLiteral("A4、210 x 297 mm"));
    QCOMPARE(dialog.SelectedPrinterIndex(), 0);
    QVERIFY(!dialog.PrintConfirmed());
}

void PrintDialogTest::userDefinedPaperDescribesThePhysicalPage() {
    FakePrinting printing;
    FakePrinting::Printer p = printer(QStringLiteral("P1"), {9, 256});
    p.currentPaper = 256;
    p.pageTwips = QSizeF(100 * 56.7, 148 * 56.7);
    printing.setPrinters({p}, 0);
    frmPrinter dialog(printing);
    QCOMPARE(child<QComboBox>(dialog, "Combo2")->currentText(),
             QStringLiteral("ユーザー定義サイズ  H 100 × W 148㎜"));
}

void PrintDialogTest::failedDriverQueryGreysThePaperGroup_data() {
    QTest::addColumn<bool>("papers");
    QTest::addColumn<bool>("copies");
    QTest::newRow("no paper codes") << false << true;
    QTest::newRow("no copies limit") << true << false;
}

void PrintDialogTest::failedDriverQueryGreysThePaperGroup() {
    QFETCH(bool, papers);
    QFETCH(bool, copies);
    FakePrinting printing;
    FakePrinting::Printer p = printer(QStringLiteral("P1"), papers ? QList<int>{9} : QList<int>{});
    if (!copies)
        p.maxCopies.reset();
    printing.setPrinters({p}, 0);
    frmPrinter dialog(printing);
    QVERIFY(!child<QComboBox>(dialog, "Combo2")->isEnabled());
    QVERIFY(!child<QLabel>(dialog, "Label2")->isEnabled());
    QVERIFY(!child<QLabel>(dialog, "Label7")->isEnabled());
    // Printing itself stays possible on that printer.
    QVERIFY(child<QPushButton>(dialog, "Command1")->isEnabled());
}

void PrintDialogTest::choosingPaperWritesTheDefaultEvenWhenCancelled() {
    FakePrinting printing;
    printing.setPrinters(
        {printer(QStringLiteral("P1"), {9, 11}), printer(QStringLiteral("P2"), {9, 13})}, 0);
    frmPrinter dialog(printing);
    auto* printers = child<QComboBox>(dialog, "Combo3");
    printers->setCurrentIndex(1);
    emit printers->activated(1);
    QCOMPARE(dialog.SelectedPrinterIndex(), 1);
    QCOMPARE(printing.currentPrinter(), QStringLiteral("P2"));
    auto* papers = child<QComboBox>(dialog, "Combo2");
    papers->setCurrentIndex(1);
    emit papers->activated(1);
    QCOMPARE(child<QComboBox>(dialog, "Combo1")->currentText(), QStringLiteral("B5"));
    child<QPushButton>(dialog, "Command5")->click();
    QVERIFY(!dialog.PrintConfirmed());
    QCOMPARE(printing.printers()[1].currentPaper, 13);
    QCOMPARE(printing.printers()[0].currentPaper, 9);
}

void PrintDialogTest::propertiesReselectsThePrinterChosenAtLoad() {
    FakePrinting printing;
    FakePrinting::Printer p2 = printer(QStringLiteral("P2"), {9});
    p2.hasDriverSettings = false;
    printing.setPrinters({printer(QStringLiteral("P1"), {9}), p2}, 1);
    frmPrinter dialog(printing);
    QCOMPARE(dialog.SelectedPrinterIndex(), 1);
    printing.setCurrentPrinter(QStringLiteral("P1"));
    child<QPushButton>(dialog, "Command3")->click();
    QCOMPARE(printing.driverSettingsShown(), 1);
    QCOMPARE(child<QLabel>(dialog, "Label4")->text(), QStringLiteral("表示できません。"));
    QCOMPARE(printing.currentPrinter(), QStringLiteral("P2"));
}

void PrintDialogTest::printsOnlyWhenConfirmed_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("documents");
    QTest::newRow("empty text: no dialog") << ""
                                           << "" << int(PrintOutcome::NothingToPrint) << 0;
    QTest::newRow("cancelled") << "1\r\n2"
                               << "Command5" << int(PrintOutcome::Cancelled) << 0;
    QTest::newRow("confirmed") << "1\r\n2"
                               << "Command1" << int(PrintOutcome::Sent) << 1;
}

void PrintDialogTest::printsOnlyWhenConfirmed() {
    QFETCH(QString, text);
    QFETCH(QString, button);
    FakePrinting printing;
    FakeMessageBoxes messages;
    const QByteArray name = button.toLatin1();
    if (!button.isEmpty())
        pressWhenShown(name.constData());
    const auto outcome = sumiplex::ui::printPlainText(nullptr, {printing, messages},
                                                      QStringLiteral("title"), text, {u"", 14});
    QTEST(int(outcome), "outcome");
    QTEST(int(printing.documents().size()), "documents");
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void PrintDialogTest::denominationTableGoesToTheChosenPrinter() {
    FakePrinting printing;
    FakeMessageBoxes messages;
    sumiplex::print::DenominationPrintout table;
    table.rows[0] = {u"10,000", u"12", u"120,000"};
    table.total = u"120,000";
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<frmPrinter*>(QApplication::activeModalWidget());
        auto* printers = child<QComboBox>(*dialog, "Combo3");
        printers->setCurrentIndex(1);
        emit printers->activated(1);
        child<QPushButton>(*dialog, "Command1")->click();
    });
    QCOMPARE(sumiplex::ui::printDenominationTable(nullptr, {printing, messages}, table),
             PrintOutcome::Sent);
    QCOMPARE(printing.documents().size(), std::size_t{1});
    const auto& document = printing.documents()[0];
    QCOMPARE(document.printer, QStringLiteral("PDF"));
    QCOMPARE(document.pages.size(), std::size_t{1});
    // The box (four arcs, four sides), twelve rules, twelve captions and 19 figures.
    QCOMPARE(document.pages[0].ops.size(), std::size_t{8 + 12 + 31});
}

QTEST_MAIN(PrintDialogTest)
#include "print_dialog_test.moc"
