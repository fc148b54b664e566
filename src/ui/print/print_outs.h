#pragma once

#include "core/print/denomination_table.h"
#include "core/print/page.h"
#include "platform/dialogs.h"
#include "platform/printing.h"

#include <QString>

class QWidget;

namespace sumiplex::ui {

struct Services;

enum class PrintOutcome {
    NothingToPrint, ///< an empty text: no dialog was shown
    Cancelled,      ///< the print dialog was cancelled or closed
    Printed,        ///< the printer took the document
    Failed,         ///< the printer did not; a message naming it and the reason was shown
};

/// Shows the print dialog modally; true when the user confirmed.
[[nodiscard]] bool confirmPrint(QWidget* parent, platform::Printing& printing);

/// Prints a plain text on A4 portrait in the font, continuing on further pages; a line too
/// wide for the page is wrapped at the right margin. Nothing when the printer took it,
/// else the reason.
[[nodiscard]] std::optional<QString> sendText(platform::Printing& printing, const QString& title,
                                              const QString& text, const print::PageFont& font);

/// The tape or the memo: an empty text prints nothing and shows no dialog; otherwise the
/// print dialog, then the text with the busy pointer showing.
PrintOutcome printPlainText(QWidget* parent, platform::Printing& printing,
                            platform::MessageBoxes& messages, const QString& title,
                            const QString& text, const print::PageFont& font);

/// The denomination table on one A4 page, after the print dialog. The money windows call
/// this from their print buttons with their own counts, amounts and total as texts.
PrintOutcome printDenominationTable(QWidget* parent, platform::Printing& printing,
                                    platform::MessageBoxes& messages,
                                    const print::DenominationPrintout& printout);
/// The same with the main window's services.
PrintOutcome printDenominationTable(QWidget* parent, const Services& services,
                                    const print::DenominationPrintout& printout);

} // namespace sumiplex::ui
