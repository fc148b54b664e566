// The tool windows as the main window opens them, and how it takes the keyboard back when one
// of them closes.
//
// Adding a tool window: derive it from ToolWindow (its place keys in platform/settings_keys.h,
// its object name its own), give the main window's menu an action for it
// (frm_main_menus.cpp), and add a row below that builds it through m_tools and shows it. The
// registry holds it from then on: a second opening raises it, one after it unloaded builds
// it anew, and the program's end closes it, so its place is stored.

#include "core/engine/engine.h"
#include "core/tools/datetime/day_span.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/tools/datetime/dialog_time.h"
#include "ui/tools/datetime/tool_links.h"
#include "ui/tools/margin/dialog_margin.h"
#include "ui/widgets/tool_window_keys.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include <functional>
#include <initializer_list>
#include <utility>

namespace sumiplex::ui {

void frmMain::connectToolWindows() {
    const auto days = [this](datetime::DaysMode mode) {
        return [this, mode] { openDaysDialog(mode); };
    };
    const std::function<void()> time = [this] {
        m_tools->show(m_tools->load<DialogTime>(QStringLiteral("DialogTime"),
                                                [this] { return new DialogTime(toolLinks()); }),
                      ToolShow::Activate);
    };
    const std::function<void()> margin = [this] {
        DialogMargin& margin = m_tools->load<DialogMargin>(
            QStringLiteral("DialogMargin"), [this] { return new DialogMargin(toolLinks()); });
        m_tools->show(margin, ToolShow::Activate);
        margin.prepare(QString::fromStdU16String(m_engine->totalValue().toPlainString()));
    };
    const std::initializer_list<std::pair<const char*, std::function<void()>>> opens = {
        {"mnuDay", days(datetime::DaysMode::DayCount)},
        {"mnuPopupDay", days(datetime::DaysMode::DayCount)},
        {"mnuEge", days(datetime::DaysMode::Age)},
        {"mnuPopEge", days(datetime::DaysMode::Age)},
        {"mnuTime", time},
        {"mnuPopTime", time},
        {"mnuCash", [this] { openCashDialog(); }},
        {"mnuPopCash", [this] { openCashDialog(); }},
        {"mnuZei", [this] { openZeiDialog(); }},
        {"mnuPopZei", [this] { openZeiDialog(); }},
        {"mnuMargin", margin},
        {"mmnuTon", [this] { mmnuTon_Click(); }},
        {"mnuTip", [this] { mnuTip_Click(); }},
        {"mnuEarlierTapes", [this] { openEarlierTapes({}); }},
    };
    for (const auto& [name, open] : opens)
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, open);
}

void frmMain::giveKeyboardToInputLine() {
    if (m_unloaded || !isVisible() || isMinimized())
        return;
    // The activation puts the caret at the end of the line; a window already active keeps
    // the caret where the user left it.
    if (QApplication::activeWindow() != this)
        activateWindow();
    Text1->setFocus(Qt::OtherFocusReason);
}

} // namespace sumiplex::ui
