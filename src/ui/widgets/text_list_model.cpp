#include "ui/widgets/text_list_model.h"

#include <limits>

namespace sumiplex::ui {

namespace {

int rowsOf(const std::vector<std::u16string>& items) {
    return static_cast<int>(std::min<std::size_t>(items.size(), std::numeric_limits<int>::max()));
}

} // namespace

TextListModel::TextListModel(const std::vector<std::u16string>& items, QObject* parent)
    : QAbstractListModel(parent), m_items(items), m_count(rowsOf(items)),
      m_last(items.empty() ? std::u16string() : items.back()) {}

void TextListModel::sync() {
    const int now = rowsOf(m_items);
    const bool grew =
        now > m_count && (m_count == 0 || m_items[static_cast<std::size_t>(m_count) - 1] == m_last);
    if (grew) {
        beginInsertRows(QModelIndex(), m_count, now - 1);
        m_count = now;
        endInsertRows();
    } else if (now != m_count || (now > 0 && m_items.back() != m_last)) {
        beginResetModel();
        m_count = now;
        endResetModel();
    }
    m_last = now > 0 ? m_items.back() : std::u16string();
}

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= m_items.size())
        return {};
    return QString::fromStdU16String(m_items[row]);
}

} // namespace sumiplex::ui
