#include "ui/print/print_outs.h"

#include "core/print/text_pages.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/print/frm_printer.h"

#include <QApplication>
#include <QGuiApplication>

namespace sumiplex::ui {

namespace {

const QString kDialogTitle = QStringLiteral("印刷");

// The busy pointer for as long as a document is being drawn and sent.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

void reportFailure(QWidget* parent, platform::MessageBoxes& messages, const QString& printer,
                   const QString& reason) {
    messages.critical(parent,
                      QStringLiteral("プリンタ「%1」で印刷できませんでした。\n%2")
                          .arg(printer.isEmpty() ? QStringLiteral("(なし)") : printer, reason),
                      kDialogTitle);
}

PrintOutcome outcome(QWidget* parent, platform::Printing& printing,
                     platform::MessageBoxes& messages, const std::optional<QString>& error) {
    if (!error)
        return PrintOutcome::Printed;
    reportFailure(parent, messages, printing.currentPrinter(), *error);
    return PrintOutcome::Failed;
}

constexpr int kA4 = 9;

} // namespace

bool confirmPrint(QWidget* parent, platform::Printing& printing) {
    frmPrinter dialog(printing, parent);
    dialog.exec();
    return dialog.PrintConfirmed();
}

std::optional<QString> sendText(platform::Printing& printing, const QString& title,
                                const QString& text, const print::PageFont& font) {
    platform::JobStart start = printing.startJob(title, kA4, print::Orientation::Portrait);
    if (!start.job)
        return start.error;
    const std::u16string source = text.toStdU16String();
    const QSizeF area = start.job->printableMm();
    print::TextPager pager(source, print::TextPageFormat{area.width(), area.height(), font},
                           start.job->measure());
    while (!pager.atEnd()) {
        if (!start.job->addPage(pager.nextPage()))
            break;
    }
    return start.job->finish();
}

PrintOutcome printPlainText(QWidget* parent, platform::Printing& printing,
                            platform::MessageBoxes& messages, const QString& title,
                            const QString& text, const print::PageFont& font) {
    if (text.isEmpty())
        return PrintOutcome::NothingToPrint;
    if (!confirmPrint(parent, printing))
        return PrintOutcome::Cancelled;
    std::optional<QString> error;
    {
        BusyPointer busy;
        error = sendText(printing, title, text, font);
    }
    return outcome(parent, printing, messages, error);
}

PrintOutcome printDenominationTable(QWidget* parent, platform::Printing& printing,
                                    platform::MessageBoxes& messages,
                                    const print::DenominationPrintout& printout) {
    if (!confirmPrint(parent, printing))
        return PrintOutcome::Cancelled;
    std::optional<QString> error;
    {
        BusyPointer busy;
        const QString title = QStringLiteral("Sumiplex 金種表");
        platform::JobStart start = printing.startJob(title, kA4, print::Orientation::Portrait);
        if (!start.job) {
            error = start.error;
        } else {
            (void)start.job->addPage(print::denominationTablePage(printout, start.job->measure()));
            error = start.job->finish();
        }
    }
    return outcome(parent, printing, messages, error);
}

PrintOutcome printDenominationTable(QWidget* parent, const Services& services,
                                    const print::DenominationPrintout& printout) {
    return printDenominationTable(parent, services.printing, services.messages, printout);
}

} // namespace sumiplex::ui
