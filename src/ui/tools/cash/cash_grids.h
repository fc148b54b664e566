#pragma once

#include "core/engine/denominations.h"
#include "core/tools/cash/printout.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QPushButton;
class QTableView;
class QWidget;

namespace sumiplex::cash {
struct SummaryRow;
}

namespace sumiplex::ui {

/// The per-entry table: one row per entry (amount and nine counts), an empty row, then the
/// column totals. Rows are written when the view asks for them, so a list of any length
/// opens at once.
class EntryGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    /// Replaces the rows: `entries` are read lazily; `totals` ends the table.
    void reset(const std::vector<std::u16string>* entries, std::array<QString, 10> totals);
    /// A single row of given cells (the tally's table).
    void resetToRow(std::array<QString, 10> cells);
    [[nodiscard]] const std::array<QString, 10>& lastRow() const { return m_totals; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    [[nodiscard]] const std::array<QString, 10>& entryRow(int row) const;

    const std::vector<std::u16string>* m_entries = nullptr;
    bool m_singleRow = false;
    std::array<QString, 10> m_totals;
    // The row last written out; a view asks for its cells one after the other.
    mutable int m_cachedRow = -1;
    mutable std::array<QString, 10> m_cached;
};

/// The summary: nine rows of name, count and amount.
class SummaryGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void reset(const std::array<cash::SummaryRow, cash::kDenominations>& rows);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    std::array<std::array<QString, 3>, cash::kDenominations> m_rows;
};

/// A grid view as the denomination windows show one: fixed row heights, no row numbers,
/// columns as wide as their header (or `widest` cells) asks.
QTableView* cashGrid(QWidget* parent, const char* name, const QString& toolTip);
/// Widens each column to its header and to the given cells.
void fitColumns(QTableView& grid, const std::vector<QStringList>& widestCells);

/// The two grids both denomination windows show in `frame`, each with its model: the
/// per-entry table (`MSFlexGrid1`) and the summary (`MSFlexGrid2`).
struct CashGrids {
    QTableView* entries;
    EntryGridModel* entryModel;
    QTableView* summary;
    SummaryGridModel* summaryModel;
};
[[nodiscard]] CashGrids cashGrids(QWidget* frame);
/// The summary grid's columns shown whole, and room for its nine rows.
void fitSummaryGrid(QTableView& summary);

/// The window's layout: `frame` over a row that holds `close` at the right.
void layOutAboveCloseButton(QWidget& window, QWidget* frame, QPushButton* close);

/// The memo and print buttons both denomination windows carry (`Command2`, `Command3`). The
/// print button prints what `printout` gives (nothing when it gives nothing), on behalf of
/// `window`, through `print`; it stays disabled where nothing can print. The memo button
/// keeps its place when it hides.
struct CashButtons {
    QPushButton* memo;
    QPushButton* print;
};
CashButtons
memoAndPrintButtons(QWidget& window, QWidget* frame,
                    std::function<void(QWidget*, const cash::DenominationPrintout&)> print,
                    std::function<std::optional<cash::DenominationPrintout>()> printout);

} // namespace sumiplex::ui
