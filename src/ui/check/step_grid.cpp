#include "ui/check/step_grid.h"

#include "ui/widgets/widget_helpers.h"

#include <QHeaderView>
#include <QTableWidget>

namespace sumiplex::ui {

QTableWidget* stepGrid(QWidget* parent, const char* name, const QStringList& header) {
    auto* grid = named(new QTableWidget(0, static_cast<int>(header.size()), parent), name);
    grid->setHorizontalHeaderLabels(header);
    grid->verticalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    return grid;
}

void setCell(QTableWidget& grid, int row, int column, const QString& text, bool editable) {
    QTableWidgetItem* item = grid.item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        grid.setItem(row, column, item);
    }
    const Qt::ItemFlags flags = editable
                                    ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                                    : Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (item->flags() != flags)
        item->setFlags(flags);
    if (item->text() != text)
        item->setText(text);
}

} // namespace sumiplex::ui
