#include "ui/tapes/tape_lines_model.h"

namespace sumiplex::ui {

void TapeLinesModel::setFile(QByteArray bytes) {
    beginResetModel();
    m_bytes = std::move(bytes);
    m_index = journal::indexJournal(this->bytes());
    endResetModel();
}

void TapeLinesModel::setNotice(QStringList rows) {
    if (rows == m_notice)
        return;
    beginResetModel();
    m_notice = std::move(rows);
    endResetModel();
}

int TapeLinesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return showsNotice() ? static_cast<int>(m_notice.size())
                         : static_cast<int>(m_index.lineCount());
}

Qt::ItemFlags TapeLinesModel::flags(const QModelIndex& index) const {
    return showsNotice() ? Qt::ItemIsEnabled : QAbstractListModel::flags(index);
}

std::u16string TapeLinesModel::line(int row) const {
    if (showsNotice() || row < 0 || static_cast<std::size_t>(row) >= m_index.lineCount())
        return {};
    return journal::lineAt(bytes(), m_index, static_cast<std::size_t>(row));
}

QVariant TapeLinesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (showsNotice())
        return m_notice.value(index.row());
    std::u16string text = line(index.row());
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r'))
        text.pop_back();
    return QString::fromStdU16String(text);
}

} // namespace sumiplex::ui
