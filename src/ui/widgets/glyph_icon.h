#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace sumiplex::ui {

/// A small button icon drawn from one character of the UI font, so the toolbar-like
/// buttons of the main window carry a picture without image files. It holds the glyph at
/// `size` and at twice that, for high-density screens, and draws each the first time it is
/// asked for: a window on an ordinary screen never draws the large one, and none is drawn
/// before the button is first painted.
[[nodiscard]] QIcon glyphIcon(const QString& glyph, const QColor& colour, int size = 16);

/// The glyph drawn on a transparent square of `pixels`, as the icon holds it.
[[nodiscard]] QPixmap glyphPixmap(const QString& glyph, const QColor& colour, int pixels);

} // namespace sumiplex::ui
