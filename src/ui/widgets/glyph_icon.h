#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace sumiplex::ui {

/// A small button icon drawn from one character of the UI font, so the toolbar-like
/// buttons of the main window carry a picture without image files.
[[nodiscard]] QIcon glyphIcon(const QString& glyph, const QColor& colour, int size = 16);

} // namespace sumiplex::ui
