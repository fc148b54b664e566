// The date and time tool windows as the main window opens them.

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "platform/clock.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/tools/datetime/dialog_days.h"
#include "ui/tools/datetime/dialog_time.h"
#include "ui/tools/datetime/tool_links.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLineEdit>

namespace sumiplex::ui {

void frmMain::connectDateTimeTools() {
    const auto onTrigger = [this](const char* name, auto handler) {
        auto* action = findChild<QAction*>(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    onTrigger("mnuDay", [this] { openDaysDialog(datetime::DaysMode::DayCount); });
    onTrigger("mnuPopupDay", [this] { openDaysDialog(datetime::DaysMode::DayCount); });
    onTrigger("mnuEge", [this] { openDaysDialog(datetime::DaysMode::Age); });
    onTrigger("mnuPopEge", [this] { openDaysDialog(datetime::DaysMode::Age); });
    onTrigger("mnuTime", [this] { openTimeDialog(); });
    onTrigger("mnuPopTime", [this] { openTimeDialog(); });
}

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
    // A closed window is built anew, so each opening starts as the first one did.
    if (m_days && m_days->isUnloaded())
        m_days.reset();
    if (!m_days)
        m_days = std::make_unique<DialogDays>(toolLinks());
    const QDate today = m_services.clock.now().date();
    // The calendar starts on today; before it is built, that is its date.
    const QDate calendarDate = MonthView1 ? MonthView1->selectedDate() : today;
    std::optional<QString> total;
    if (!m_engine->totalValue().isZero())
        total = QString::fromStdU16String(m_engine->totalValue().toPlainString());
    m_days->prepare(mode, calendarDate, today, total);
    showToolWindow(*m_days, ToolShow::Activate);
}

void frmMain::openTimeDialog() {
    if (m_time && m_time->isUnloaded())
        m_time.reset();
    if (!m_time)
        m_time = std::make_unique<DialogTime>(toolLinks());
    showToolWindow(*m_time, ToolShow::Activate);
}

void frmMain::unloadDateTimeTools() {
    for (QWidget* tool : {static_cast<QWidget*>(m_time.get()), static_cast<QWidget*>(m_days.get())})
        if (tool)
            tool->close();
}

} // namespace sumiplex::ui
