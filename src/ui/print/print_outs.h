#pragma once

#include "core/print/denomination_table.h"
#include "core/print/page.h"
#include "core/print/page_area.h"
#include "core/print/tax_summary.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"

#include <QString>

#include <functional>

class QWidget;

namespace sumiplex::ui {

struct Services;

enum class PrintOutcome {
    NothingToPrint, ///< an empty text: no dialog was shown
    Cancelled,      ///< the print dialog was cancelled or closed
    Sent,           ///< the queue took the document (one that holds it was reported)
    Sending,        ///< the hand-over goes on beside the window, which reports how it ends
    Failed,         ///< a message naming the printer and the reason was shown
};

/// What printing needs from the program.
struct PrintServices {
    platform::Printing& printing;
    platform::MessageBoxes& messages;
    /// The margins the page set-up last confirmed.
    print::Margins margins = print::kDefaultMargins;
};

/// The printers and message boxes of the program, with the margins it stored.
[[nodiscard]] PrintServices printServices(const Services& services);

/// The margins the page set-up stored; the default for one never stored or unreadable.
[[nodiscard]] print::Margins storedMargins(const platform::SettingsStore& settings);
void storeMargins(platform::SettingsStore& settings, const print::Margins& margins);

/// Shows the print dialog modally; true when the user confirmed.
[[nodiscard]] bool confirmPrint(QWidget* parent, platform::Printing& printing);

/// Where the job's pages are laid out: the paper inside the margins, as near the edges as
/// the printer reaches at the nearest.
[[nodiscard]] print::Area printAreaOf(const platform::PrintJob& job, const print::Margins& margins);

/// Draws a plain text in the font on as many pages as it takes; a line too wide for the
/// area is wrapped at its right edge.
void drawText(platform::PrintJob& job, const print::Area& area, const QString& text,
              const print::PageFont& font);

/// Starts a document on A4 portrait on the current printer, lets `draw` lay out its pages
/// in the print area with the busy pointer showing, and hands it over beside the window.
PrintOutcome printPages(QWidget* parent, const PrintServices& services, const QString& title,
                        const std::function<void(platform::PrintJob&, const print::Area&)>& draw);

/// The tape or the memo: an empty text prints nothing and shows no dialog; otherwise the
/// print dialog, then the text.
PrintOutcome printPlainText(QWidget* parent, const PrintServices& services, const QString& title,
                            const QString& text, const print::PageFont& font);

/// The denomination table on one A4 page, after the print dialog. The money windows call
/// this from their print buttons with their own counts, amounts and total as texts.
PrintOutcome printDenominationTable(QWidget* parent, const PrintServices& services,
                                    const print::DenominationPrintout& printout);
/// The same with the main window's services.
PrintOutcome printDenominationTable(QWidget* parent, const Services& services,
                                    const print::DenominationPrintout& printout);

/// The tax by rate summary on one A4 page, after the print dialog.
PrintOutcome printTaxSummary(QWidget* parent, const PrintServices& services,
                             const print::TaxSummaryPrintout& printout);

} // namespace sumiplex::ui
