#pragma once

#include "platform/settings_keys.h"
#include "platform/settings_store.h"

#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

namespace sumiplex::platform {

/// True when the top strip of `window` (where its title bar is) lies on one of `screens`
/// far enough to be grabbed with the mouse.
[[nodiscard]] bool liesOnAScreen(const QRect& window, const QList<QRect>& screens);

/// `stored.topLeft()` when the window placed there lies on a screen, else `fallback`.
[[nodiscard]] QPoint placedPosition(const QRect& stored, const QList<QRect>& screens,
                                    const QPoint& fallback);

/// Logical dots per inch used to turn stored twips into pixels and back.
[[nodiscard]] double twipsDotsPerInch();

/// Moves a top-level window to the position stored in twips under `left` and `top`. A
/// position that lies on no connected screen (a monitor since unplugged) or that does not
/// read as a number gives the keys' default position instead.
void restoreWindowPosition(QWidget& window, const SettingsStore& store, const Setting<float>& left,
                           const Setting<float>& top);

/// Stores the window's frame position in twips under `leftKey` and `topKey`, unless the
/// window is minimized (its position then is not the one the user chose).
void saveWindowPosition(const QWidget& window, SettingsStore& store, QStringView leftKey,
                        QStringView topKey);

} // namespace sumiplex::platform
