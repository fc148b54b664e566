#pragma once

#include <QAbstractTableModel>
#include <QString>

namespace sumiplex::taxrate {
class RateSheet;
} // namespace sumiplex::taxrate

namespace sumiplex::ui {

/// The rows of the tax by rate window: number, amount and rate of each amount that makes up
/// the total. Cells are written when a view asks for them, so a list of any length opens at
/// once.
class ZeiRowsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    ZeiRowsModel(const taxrate::RateSheet& sheet, QObject* parent);

    /// The sheet was replaced.
    void sheetReset();
    /// Rows were added at the end of the sheet.
    void sheetGrew();
    /// The mark of `row` changed.
    void rowToggled(int row);
    /// The rates shown in the rate column, as the user wrote them.
    void setRates(const QString& standard, const QString& reduced);

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    const taxrate::RateSheet& m_sheet;
    int m_rows = 0;
    QString m_standard;
    QString m_reduced;
};

} // namespace sumiplex::ui
