// Printing the tape and the memo, and the page set-up, from the file menu.

#include "core/engine/tape.h"
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
    (void)printPlainText(this, m_services.printing, m_services.messages,
                         QStringLiteral("Sumiplex 計算履歴"),
                         QString::fromStdU16String(m_tape->text()), fontOf(m_tip2->text()));
}

void frmMain::mnuPrintMemo_Click() {
    (void)printPlainText(this, m_services.printing, m_services.messages,
                         QStringLiteral("Sumiplex メモ帳"), m_tip3->memoText(),
                         fontOf(m_tip3->text()));
}

void frmMain::printTaxSummary(QWidget* parent, const QStringList& lines) {
    // In the memo's face and size: the summary is the text the memo would carry.
    (void)printPlainText(
        parent, m_services.printing, m_services.messages, QStringLiteral("Sumiplex 税率別集計"),
        lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), fontOf(m_tip3->text()));
}

void frmMain::mnuFilePageSetup_Click() {
    m_services.printing.showPageSetup(this,
                                      windowTitle() + QStringLiteral("\u3000\u3000プリンタの設定"));
}

} // namespace sumiplex::ui
