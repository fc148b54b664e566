// The date and time tool windows as the main window opens them.

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "platform/clock.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/tools/datetime/dialog_days.h"
#include "ui/tools/datetime/tool_links.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLineEdit>

namespace sumiplex::ui {

ToolLinks frmMain::toolLinks() {
    return ToolLinks{
        .clock = m_services.clock,
        .settings = m_services.settings,
        .appendMemo =
            [this](const QString& text) {
                m_tip3->appendMemo(text);
                showMemo();
            },
        .appendTape =
            [this](std::u16string_view piece) { m_tape->recordTool(std::u16string(piece)); },
        .replaceInputLine = [this](const QString& text,
                                   InputLineFocus focus) { replaceInputLine(text, focus); },
    };
}

void frmMain::replaceInputLine(const QString& text, InputLineFocus focus) {
    // The engine hears of the new line as of typed text and renders the window.
    Text1->setText(text);
    if (focus == InputLineFocus::LeaveFocus)
        return;
    Text1->setCursorPosition(static_cast<int>(Text1->text().size()));
    activateWindow();
    Text1->setFocus(Qt::OtherFocusReason);
}

void frmMain::openDaysDialog(datetime::DaysMode mode) {
    DialogDays& days = m_tools->load<DialogDays>(QStringLiteral("DialogDays"),
                                                 [this] { return new DialogDays(toolLinks()); });
    const QDate today = m_services.clock.now().date();
    // The calendar starts on today; before it is built, that is its date.
    const QDate calendarDate = MonthView1 ? MonthView1->selectedDate() : today;
    std::optional<QString> total;
    if (!m_engine->totalValue().isZero())
        total = QString::fromStdU16String(m_engine->totalValue().toPlainString());
    days.prepare(mode, calendarDate, today, total);
    m_tools->show(days, ToolShow::Activate);
}

} // namespace sumiplex::ui
