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
    if (static_cast<std::size_t>(index.row()) >= m_index.lineCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    // Laying out a line of megabytes would hold the window for seconds; more than a screen
    // of it shows nothing more anyway. Copying takes the whole line.
    const bool cut = m_index.lengths[row] > kShownBytes;
    std::u16string text = cut ? journal::lineHeadAt(bytes(), m_index, row, kShownBytes)
                              : journal::lineAt(bytes(), m_index, row);
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r'))
        text.pop_back();
    if (cut)
        text += kCutMark;
    return QString::fromStdU16String(text);
}

} // namespace sumiplex::ui
