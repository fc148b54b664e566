#pragma once

#include <QAbstractListModel>

#include <string>
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

    void sync();

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    const std::vector<std::u16string>& m_items;
    // What the views were last told: the row count and the last row's text, which tells a
    // list that only grew from one that was replaced.
    int m_count = 0;
    std::u16string m_last;
};

} // namespace sumiplex::ui
