#pragma once

#include <QStringList>

class QTableWidget;
class QWidget;

namespace sumiplex::ui {

/// A grid of steps: one row per step, a header row, whole rows selected, cells read-only
/// unless made editable.
[[nodiscard]] QTableWidget* stepGrid(QWidget* parent, const char* name, const QStringList& header);

/// Sets the text of a cell, making the item when there is none; `editable` lets the user edit it.
void setCell(QTableWidget& grid, int row, int column, const QString& text, bool editable = false);

} // namespace sumiplex::ui
