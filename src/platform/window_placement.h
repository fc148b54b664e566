#pragma once

#include "platform/settings_keys.h"
#include "platform/settings_store.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace sumiplex::platform {

/// True when the top strip of `window` (where its title bar is) lies on one of `screens`
/// far enough to be grabbed with the mouse.
[[nodiscard]] bool liesOnAScreen(const QRect& window, const QList<QRect>& screens);

/// Where the window whose frame is `frame` goes so that it lies wholly on a screen: on the
/// screen it shares most with (the nearest one when it shares none), moved in no further
/// than needed. A window larger than that screen keeps its size and starts at the screen's
/// left or top edge, so its title bar and first controls stay within reach. With no
/// screens, the window stays where it is.
[[nodiscard]] QPoint movedOnScreen(const QRect& frame, const QList<QRect>& screens);

/// Where the stored frame `stored` is placed: where it lies when it lies on a screen, else
/// at `fallback`; either way moved wholly onto a screen.
[[nodiscard]] QPoint placedPosition(const QRect& stored, const QList<QRect>& screens,
                                    const QPoint& fallback);

/// Where a window with a frame of `frameSize` opens beside `anchor` (another window's
/// frame) without covering it: to its right, else to its left, else below it, top or left
/// edges lined up, on the screen the anchor is on. Where no side has room, it covers the
/// anchor but not `keepClear` (a part of the anchor that must stay in view): it goes below
/// that part, as far right as the screen allows; failing that, the place on the right moved
/// onto the screen.
[[nodiscard]] QPoint besideWindow(const QRect& anchor, const QSize& frameSize,
                                  const QList<QRect>& screens, const QRect& keepClear = QRect());

/// Logical dots per inch used to turn stored twips into pixels and back.
[[nodiscard]] double twipsDotsPerInch();

/// Moves a top-level window to the position stored in twips under `left` and `top`, moved
/// wholly onto a screen (a window larger than the screen first gives up the size its
/// controls do not need). A position that is not stored, does not read as a number or lies
/// on no connected screen (a monitor since unplugged) gives the keys' default position
/// instead, and the window is marked as placed by default (see placedByDefault).
void restoreWindowPosition(QWidget& window, const SettingsStore& store, const Setting<float>& left,
                           const Setting<float>& top);

/// True when the last restoreWindowPosition found no stored place for the window and no
/// placeBeside has placed it since.
[[nodiscard]] bool placedByDefault(const QWidget& window);

/// Moves a window that is not shown yet beside `anchor`, keeping clear of its child
/// `keepClear` where it must cover the anchor (see besideWindow).
void placeBeside(QWidget& window, const QWidget& anchor, const QWidget* keepClear = nullptr);

/// Moves the window, the least it must, so that its frame lies wholly on a screen; one not
/// shown yet that is larger than the screen first gives up the size its controls do not
/// need.
void keepOnScreen(QWidget& window);

/// Stores the window's frame position in twips under `leftKey` and `topKey`, unless the
/// window is minimized (its position then is not the one the user chose).
void saveWindowPosition(const QWidget& window, SettingsStore& store, QStringView leftKey,
                        QStringView topKey);

} // namespace sumiplex::platform
