#include "ui/print/print_outs.h"

#include "core/print/text_pages.h"
#include "platform/settings_keys.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/print/frm_printer.h"
#include "ui/print/print_progress.h"

#include <QGuiApplication>

namespace sumiplex::ui {

namespace {

// The busy pointer for as long as a document is being drawn.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

constexpr int kA4 = 9;

} // namespace

PrintServices printServices(const Services& services) {
    return PrintServices{services.printing, services.messages, storedMargins(services.settings)};
}

print::Margins storedMargins(const platform::SettingsStore& settings) {
    // Each side on its own: print areas fall back to the default for what is unusable.
    return print::Margins{platform::readSetting(settings, platform::kPrintMarginLeft),
                          platform::readSetting(settings, platform::kPrintMarginTop),
                          platform::readSetting(settings, platform::kPrintMarginRight),
                          platform::readSetting(settings, platform::kPrintMarginBottom)};
}

void storeMargins(platform::SettingsStore& settings, const print::Margins& margins) {
    platform::writeNumber(settings, platform::kPrintMarginLeft.key, margins.left);
    platform::writeNumber(settings, platform::kPrintMarginTop.key, margins.top);
    platform::writeNumber(settings, platform::kPrintMarginRight.key, margins.right);
    platform::writeNumber(settings, platform::kPrintMarginBottom.key, margins.bottom);
}

bool confirmPrint(QWidget* parent, platform::Printing& printing) {
    frmPrinter dialog(printing, parent);
    dialog.exec();
    return dialog.PrintConfirmed();
}

print::Area printAreaOf(const platform::PrintJob& job, const print::Margins& margins) {
    const QSizeF paper = job.paperMm();
    return print::printArea(paper.width(), paper.height(), margins, job.minimumMarginsMm());
}

void drawText(platform::PrintJob& job, const print::Area& area, const QString& text,
              const print::PageFont& font) {
    const std::u16string source = text.toStdU16String();
    print::TextPager pager(source, print::TextPageFormat{area, font}, job.measure());
    while (!pager.atEnd()) {
        if (!job.addPage(pager.nextPage()))
            break;
    }
}

PrintOutcome printPages(QWidget* parent, const PrintServices& services, const QString& title,
                        const std::function<void(platform::PrintJob&, const print::Area&)>& draw) {
    std::unique_ptr<platform::PrintJob> job;
    {
        BusyPointer busy;
        platform::JobStart start =
            services.printing.startJob(title, kA4, print::Orientation::Portrait);
        if (!start.job) {
            reportPrintFailure(parent, services.messages, services.printing.currentPrinter(),
                               start.error);
            return PrintOutcome::Failed;
        }
        job = std::move(start.job);
        draw(*job, printAreaOf(*job, services.margins));
    }
    auto* progress = new PrintProgress(std::move(job), services.messages, parent);
    const std::optional<platform::Handover> ended = progress->submit();
    if (!ended)
        return PrintOutcome::Sending;
    switch (ended->outcome) {
    case platform::Handover::Outcome::Queued:
    case platform::Handover::Outcome::Held:
        return PrintOutcome::Sent;
    case platform::Handover::Outcome::Cancelled:
        return PrintOutcome::Cancelled;
    case platform::Handover::Outcome::Refused:
    case platform::Handover::Outcome::Failed:
        break;
    }
    return PrintOutcome::Failed;
}

PrintOutcome printPlainText(QWidget* parent, const PrintServices& services, const QString& title,
                            const QString& text, const print::PageFont& font) {
    if (text.isEmpty())
        return PrintOutcome::NothingToPrint;
    if (!confirmPrint(parent, services.printing))
        return PrintOutcome::Cancelled;
    return printPages(
        parent, services, title,
        [&](platform::PrintJob& job, const print::Area& area) { drawText(job, area, text, font); });
}

PrintOutcome printDenominationTable(QWidget* parent, const PrintServices& services,
                                    const print::DenominationPrintout& printout) {
    if (!confirmPrint(parent, services.printing))
        return PrintOutcome::Cancelled;
    return printPages(parent, services, QStringLiteral("Sumiplex 金種表"),
                      [&](platform::PrintJob& job, const print::Area& area) {
                          (void)job.addPage(
                              print::denominationTablePage(printout, job.measure(), area));
                      });
}

PrintOutcome printDenominationTable(QWidget* parent, const Services& services,
                                    const print::DenominationPrintout& printout) {
    return printDenominationTable(parent, printServices(services), printout);
}

PrintOutcome printTaxSummary(QWidget* parent, const PrintServices& services,
                             const print::TaxSummaryPrintout& printout) {
    if (!confirmPrint(parent, services.printing))
        return PrintOutcome::Cancelled;
    return printPages(parent, services, QStringLiteral("Sumiplex 税率別集計"),
                      [&](platform::PrintJob& job, const print::Area& area) {
                          (void)job.addPage(print::taxSummaryPage(printout, job.measure(), area));
                      });
}

} // namespace sumiplex::ui
