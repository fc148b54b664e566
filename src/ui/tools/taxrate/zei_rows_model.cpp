#include "ui/tools/taxrate/zei_rows_model.h"

#include "core/tools/taxrate/rate_sheet.h"

#include <limits>

namespace sumiplex::ui {

namespace {

enum Column { kNumber, kAmount, kRate, kColumns };

int rowsOf(const taxrate::RateSheet& sheet) {
    return static_cast<int>(std::min<std::size_t>(sheet.size(), std::numeric_limits<int>::max()));
}

} // namespace

ZeiRowsModel::ZeiRowsModel(const taxrate::RateSheet& sheet, QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_rows(rowsOf(sheet)) {}

void ZeiRowsModel::sheetReset() {
    beginResetModel();
    m_rows = rowsOf(m_sheet);
    endResetModel();
}

void ZeiRowsModel::sheetGrew() {
    const int now = rowsOf(m_sheet);
    if (now <= m_rows)
        return;
    beginInsertRows(QModelIndex(), m_rows, now - 1);
    m_rows = now;
    endInsertRows();
}

void ZeiRowsModel::rowToggled(int row) {
    emit dataChanged(index(row, kRate), index(row, kRate));
}

void ZeiRowsModel::setRates(const QString& standard, const QString& reduced) {
    m_standard = standard;
    m_reduced = reduced;
    if (m_rows > 0)
        emit dataChanged(index(0, kRate), index(m_rows - 1, kRate));
}

int ZeiRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ZeiRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ZeiRowsModel::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= m_sheet.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(
            (index.column() == kRate ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case kNumber:
        return QString::number(index.row() + 1);
    case kAmount:
        return QString::fromStdU16String(FormatAmount(m_sheet.amount(row)));
    default:
        // Reduced-rate rows carry the mark an invoice puts on them.
        return m_sheet.isReduced(row) ? QStringLiteral("※") + m_reduced + u'%' : m_standard + u'%';
    }
}

QVariant ZeiRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case kNumber:
        return QStringLiteral("No.");
    case kAmount:
        return QStringLiteral("金額");
    default:
        return QStringLiteral("税率");
    }
}

} // namespace sumiplex::ui
