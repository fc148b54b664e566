#pragma once

#include "driver/keys.h"

#include <Qt>

class QWidget;

namespace sumiplex::driver {

/// Makes the window the active one, as a click on its frame would.
void activateWindow(QWidget& window);

/// Closes every open popup (a menu, a combo box's list) as a user would before going on,
/// and gives the keyboard back to the window the popups were opened from: `openedFrom`, or
/// when that is null, the window of the last popup's parent. True when a popup was closed.
bool closePopups(QWidget* openedFrom = nullptr);

/// The context menu the Menu key opens: a context-menu event from the keyboard to
/// `widget`, at its caret, as the window system sends it beside the key press.
void keyboardContextMenu(QWidget& widget);

/// One key press and release, delivered to whatever has the keyboard focus now (a handler
/// may have moved it during the previous keystroke), or to the fallback when nothing has.
void pressAndRelease(QWidget& fallback, const KeyStroke& key);

/// Mouse button press and release at the widget's centre (for check and option buttons
/// at the centre of their click area, which is narrower than the widget).
void clickWidget(QWidget& widget, Qt::MouseButton button);

/// A right click as the window system delivers it: press, context-menu event, release.
void rightClickWidget(QWidget& widget);

/// Press, release, double-click, release.
void doubleClickWidget(QWidget& widget);

} // namespace sumiplex::driver
