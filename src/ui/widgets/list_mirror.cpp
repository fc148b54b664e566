#include "ui/widgets/list_mirror.h"

#include <QListWidget>

namespace sumiplex::ui {

namespace {

bool sameText(const QListWidget& list, std::size_t row, const std::u16string& text) {
    const QListWidgetItem* item = list.item(static_cast<int>(row));
    return item != nullptr && item->text() == QString::fromStdU16String(text);
}

} // namespace

bool ListMirror::onlyGrew(const std::vector<std::u16string>& items) const {
    if (items.size() < m_count || m_list->count() != static_cast<int>(m_count))
        return false;
    if (m_count <= kCompareAllBelow) {
        for (std::size_t i = 0; i < m_count; ++i)
            if (!sameText(*m_list, i, items[i]))
                return false;
        return true;
    }
    return sameText(*m_list, 0, items.front()) &&
           sameText(*m_list, m_count - 1, items[m_count - 1]);
}

void ListMirror::rebuild(const std::vector<std::u16string>& items) {
    m_list->clear();
    m_count = 0;
    for (const auto& item : items)
        m_list->addItem(QString::fromStdU16String(item));
    m_count = items.size();
}

void ListMirror::sync(const std::vector<std::u16string>& items) {
    if (m_list == nullptr)
        return;
    if (!onlyGrew(items)) {
        rebuild(items);
        return;
    }
    for (std::size_t i = m_count; i < items.size(); ++i)
        m_list->addItem(QString::fromStdU16String(items[i]));
    m_count = items.size();
}

} // namespace sumiplex::ui
