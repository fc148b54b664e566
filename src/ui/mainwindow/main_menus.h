#pragma once

#include <QKeyCombination>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QAction;
class QKeyEvent;
class QMainWindow;
class QMenu;

namespace sumiplex::engine {
struct View;
} // namespace sumiplex::engine

namespace sumiplex::ui {

/// The menus of the main window, in the order they are first used by the table.
enum class MenuId : std::uint8_t { File, Edit, View, Help, Popup, Popup2, Popup3 };

enum class MenuKind : std::uint8_t {
    Item,      ///< a command
    Separator, ///< a named rule between groups of items
    Checked,   ///< a toggle that starts checked
    Unchecked, ///< a toggle that starts unchecked
};

/// What decides an item's enabled or checked state once it is built.
enum class MenuRule : std::uint8_t {
    None,         ///< always enabled; a toggle keeps the check the user gives it
    Pending,      ///< disabled for good: its window is not part of the program yet
    Cash,         ///< enabled while the engine's view allows the breakdown
    Undo,         ///< enabled while the engine's view has a rounding to undo
    TapeHasSteps, ///< enabled once the tape holds a step
    FourDigit,    ///< checked while the total reads in four-digit groups
    TaxLines,     ///< checked while the tax lines are shown
};

/// One row of the menu table: where the item goes, its object name (by which the script
/// driver triggers it), caption, shortcut, kind, state rule and what it does.
struct MenuRow {
    MenuId menu;
    const char* name;
    const char16_t* caption = u"";
    QKeyCombination shortcut = {};
    MenuKind kind = MenuKind::Item;
    MenuRule rule = MenuRule::None;
    std::function<void()> handler = {};
};

/// The main window's menu bar and context menus, built from one table of items.
class MainMenus {
public:
    /// Builds every row into `window`'s menu bar or its context menus, in table order,
    /// and connects each handler.
    void build(QMainWindow& window, const std::vector<MenuRow>& table);

    /// Sets the enabled and checked states the engine's view rules over.
    void render(const engine::View& view);
    /// Enables the items that wait for the tape's first step.
    void tapeHasSteps(bool has);

    /// The item named `name`; null when there is none. Not for the keystroke path.
    [[nodiscard]] QAction* action(const char* name) const;
    [[nodiscard]] QMenu& menu(MenuId id) const;
    /// True for an enabled item's shortcut that the window's menus should take from a line
    /// edit; the edit keys (cut, copy, paste) stay with the line edit, which does the same.
    [[nodiscard]] bool isMenuShortcut(const QKeyEvent& key) const;

private:
    QMainWindow* m_window = nullptr;
    std::vector<QMenu*> m_menus;
    std::vector<std::pair<QAction*, MenuRule>> m_ruled;
    std::vector<QAction*> m_editKeys;
};

} // namespace sumiplex::ui
