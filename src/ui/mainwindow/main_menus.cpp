// The main window's menus: built from the table of items, their states set from the view.

#include "ui/mainwindow/main_menus.h"

#include "core/engine/engine.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>

#include <algorithm>
#include <array>

namespace sumiplex::ui {

namespace {

struct MenuTitle {
    const char* name;
    const char16_t* title;
    bool onBar;
};

// Context menus live outside the menu bar; they open on the picture, the total and the
// calendar.
constexpr std::array<MenuTitle, 7> kMenus = {{
    {"mnuFile", u"ﾌｧｲﾙ(&F)", true},
    {"mnuEdit", u"編集(&E)", true},
    {"mnuView", u"表示(&V)", true},
    {"mnuHelp", u"ﾍﾙﾌﾟ(&H)", true},
    {"mnuPopup", u"Ｐｏｐｕｐ", false},
    {"mnuPopup2", u"Popup2", false},
    {"mnuPopup3", u"Popup3", false},
}};

QMenu* namedMenu(QMainWindow& window, const MenuTitle& title) {
    auto* menu = new QMenu(QString::fromUtf16(title.title), &window);
    menu->setObjectName(QString::fromLatin1(title.name));
    menu->menuAction()->setObjectName(QString::fromLatin1(title.name));
    if (title.onBar)
        window.menuBar()->addMenu(menu);
    return menu;
}

void setChecked(QAction* action, bool checked) {
    if (action->isChecked() == checked)
        return;
    const QSignalBlocker blocker(action);
    action->setChecked(checked);
}

} // namespace

void MainMenus::build(QMainWindow& window, const std::vector<MenuRow>& table) {
    m_window = &window;
    m_menus.assign(kMenus.size(), nullptr);
    for (const MenuRow& row : table) {
        // Each menu is made where the table first reaches it, so the menus keep the order
        // of the table.
        QMenu*& menu = m_menus[static_cast<std::size_t>(row.menu)];
        if (menu == nullptr)
            menu = namedMenu(window, kMenus[static_cast<std::size_t>(row.menu)]);
        if (row.kind == MenuKind::Separator) {
            menu->addSeparator()->setObjectName(QString::fromLatin1(row.name));
            continue;
        }
        auto* action = new QAction(QString::fromUtf16(row.caption), menu);
        action->setObjectName(QString::fromLatin1(row.name));
        menu->addAction(action);
        if (row.shortcut.key() != Qt::Key_unknown && row.shortcut.toCombined() != 0)
            action->setShortcut(QKeySequence(row.shortcut));
        if (row.kind == MenuKind::Checked || row.kind == MenuKind::Unchecked) {
            action->setCheckable(true);
            action->setChecked(row.kind == MenuKind::Checked);
        }
        if (row.rule == MenuRule::Pending)
            action->setEnabled(false);
        else if (row.rule != MenuRule::None)
            m_ruled.emplace_back(action, row.rule);
        if (row.handler)
            QObject::connect(action, &QAction::triggered, &window, row.handler);
    }
    for (const char* name : {"mnuEditCut", "mnuEditCopy", "mnuEditPaste"})
        m_editKeys.push_back(action(name));
}

void MainMenus::render(const engine::View& view) {
    for (const auto& [action, rule] : m_ruled) {
        switch (rule) {
        case MenuRule::Cash:
            action->setEnabled(view.menus.cash);
            break;
        case MenuRule::Undo:
            action->setEnabled(view.menus.undo);
            break;
        case MenuRule::FourDigit:
            setChecked(action, view.menus.fourDigit);
            break;
        case MenuRule::TaxLines:
            setChecked(action, view.tax.visible);
            break;
        case MenuRule::None:
        case MenuRule::Pending:
        case MenuRule::TapeHasSteps:
            break;
        }
    }
}

void MainMenus::tapeHasSteps(bool has) {
    for (const auto& [action, rule] : m_ruled)
        if (rule == MenuRule::TapeHasSteps)
            action->setEnabled(has);
}

QAction* MainMenus::action(const char* name) const {
    return m_window->findChild<QAction*>(QString::fromLatin1(name));
}

QMenu& MainMenus::menu(MenuId id) const {
    return *m_menus[static_cast<std::size_t>(id)];
}

// The line edits take Ctrl+E and Ctrl+K as their own editing keys on X11 (end of line,
// delete to the end); in this window they open the age and unit windows, as the menus say.
bool MainMenus::isMenuShortcut(const QKeyEvent& key) const {
    // A character typed without Ctrl, Alt or Meta is never a menu's shortcut: every digit
    // typed would otherwise walk the menus.
    const Qt::KeyboardModifiers commandModifiers =
        key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (commandModifiers == Qt::NoModifier && key.key() < Qt::Key_Escape)
        return false;
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : m_window->findChildren<QAction*>()) {
        if (action->shortcut() != pressed || !action->isEnabled())
            continue;
        return std::find(m_editKeys.begin(), m_editKeys.end(), action) == m_editKeys.end();
    }
    return false;
}

} // namespace sumiplex::ui
