#include "ui/widgets/text_list_model.h"

#include <limits>

namespace sumiplex::ui {

TextListModel::TextListModel(const std::vector<std::u16string>& items, QObject* parent)
    : TextListModel([&items] { return items.size(); },
                    [&items](std::size_t i) { return std::u16string_view(items[i]); }, parent) {}

TextListModel::TextListModel(std::function<std::size_t()> count,
                             std::function<std::u16string_view(std::size_t)> item, QObject* parent)
    : QAbstractListModel(parent), m_size(std::move(count)), m_item(std::move(item)),
      m_count(rows()), m_last(lastItem()) {}

int TextListModel::rows() const {
    return static_cast<int>(std::min<std::size_t>(m_size(), std::numeric_limits<int>::max()));
}

std::u16string_view TextListModel::lastItem() const {
    const std::size_t size = m_size();
    return size == 0 ? std::u16string_view() : m_item(size - 1);
}

void TextListModel::sync() {
    const int now = rows();
    const bool grew =
        now > m_count && (m_count == 0 || m_item(static_cast<std::size_t>(m_count) - 1) == m_last);
    if (grew) {
        beginInsertRows(QModelIndex(), m_count, now - 1);
        m_count = now;
        endInsertRows();
    } else if (now != m_count || (now > 0 && lastItem() != m_last)) {
        beginResetModel();
        m_count = now;
        endResetModel();
    }
    m_last = lastItem();
}

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= m_size())
        return {};
    const std::u16string_view item = m_item(row);
    return QString::fromUtf16(item.data(), static_cast<qsizetype>(item.size()));
}

} // namespace sumiplex::ui
