// How the main window shows its companion and tool windows, and takes the keyboard back when
// one of them closes.

#include "platform/window_placement.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/widgets/tool_window_keys.h"

#include <QApplication>
#include <QLineEdit>

namespace sumiplex::ui {

void frmMain::prepareToolWindow(QWidget& tool, ToolShow how) {
    m_toolKeys->watch(tool, how == ToolShow::KeepEscape ? EscapeKey::Ignored : EscapeKey::Closes);
    if (tool.isVisible())
        return;
    // A window with no place of its own yet opens beside this one rather than over its
    // input line; every other one is brought wholly onto a screen, whatever was stored or
    // however the screens have changed since.
    if (platform::placedByDefault(tool) || !tool.testAttribute(Qt::WA_Moved))
        platform::placeBeside(tool, *this, Text1);
    else
        platform::keepOnScreen(tool);
}

void frmMain::showToolWindow(QWidget& tool, ToolShow how) {
    prepareToolWindow(tool, how);
    tool.show();
    tool.raise();
    if (how != ToolShow::Quietly)
        tool.activateWindow();
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
