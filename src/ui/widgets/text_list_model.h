#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::ui {

/// Shows a list of texts owned elsewhere (the engine's recorded totals and amounts) without
/// copying them: rows are read from the list itself when asked for, so a list of a million
/// totals costs the view nothing per row. The owner changes the list, then calls sync() so
/// the views attached learn what changed: rows added at the end, or a new list.
class TextListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    TextListModel(const std::vector<std::u16string>& items, QObject* parent);
    /// Any list read by count and by item: `List` has size() and operator[] giving text.
    template <typename List>
    TextListModel(const List& items, QObject* parent)
        : TextListModel([&items] { return items.size(); },
                        [&items](std::size_t i) { return std::u16string_view(items[i]); }, parent) {
    }

    void sync();

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    TextListModel(std::function<std::size_t()> count,
                  std::function<std::u16string_view(std::size_t)> item, QObject* parent);
    [[nodiscard]] int rows() const;
    [[nodiscard]] std::u16string_view lastItem() const;

    std::function<std::size_t()> m_size;
    std::function<std::u16string_view(std::size_t)> m_item;
    // What the views were last told: the row count and the last row's text, which tells a
    // list that only grew from one that was replaced.
    int m_count = 0;
    std::u16string m_last;
};

} // namespace sumiplex::ui
