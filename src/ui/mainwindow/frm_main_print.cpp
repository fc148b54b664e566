// Printing the tape and the memo, and the page set-up, from the file menu.

#include "core/engine/tape.h"
#include "core/tools/taxrate/summary_printout.h"
#include "platform/clock.h"
#include "platform/printing.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/print/print_outs.h"

#include <QFontInfo>
#include <QPlainTextEdit>

namespace sumiplex::ui {

namespace {

// Printed at the size of the window the text is read in, in that window's face, which
// reads the same Japanese text.
print::PageFont fontOf(const QPlainTextEdit& box) {
    const QFont& font = box.font();
    // A size set in pixels has no point size of its own; the one it shows at is used.
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    return print::PageFont{font.family().toStdU16String(), points};
}

} // namespace

void frmMain::mnuFilePrint_Click() {
    (void)printPlainText(this, printServices(m_services), QStringLiteral("Sumiplex 計算履歴"),
                         QStringView(m_tape->text()).toString(), fontOf(m_tip2->text()));
}

void frmMain::mnuPrintMemo_Click() {
    (void)printPlainText(this, printServices(m_services), QStringLiteral("Sumiplex メモ帳"),
                         m_tip3->memoText(), fontOf(m_tip3->text()));
}

void frmMain::printTaxSummary(QWidget* parent, const taxrate::RateSummary& summary) {
    const QDate today = m_services.clock.now().date();
    const QString date =
        QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day());
    (void)ui::printTaxSummary(parent, printServices(m_services),
                              taxrate::summaryPrintout(summary, date.toStdU16String()));
}

void frmMain::mnuFilePageSetup_Click() {
    // The margins confirmed here hold for every print-out from now on, and after a restart.
    const auto margins = m_services.printing.showPageSetup(
        this, windowTitle() + QStringLiteral("\u3000\u3000プリンタの設定"),
        storedMargins(m_services.settings));
    if (margins)
        storeMargins(m_services.settings, *margins);
}

} // namespace sumiplex::ui
