#pragma once

#include "core/journal/journal_format.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QStringList>

#include <string_view>

namespace sumiplex::ui {

/// The lines of one tape file, one row each, decoded only when a row is drawn or read: a
/// tape of a million lines costs its bytes and an index, not a text document.
class TapeLinesModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    /// A line longer than this many bytes shows only its head, then kCutMark.
    static constexpr std::size_t kShownBytes = 2000;
    static constexpr std::u16string_view kCutMark = u"…［以下省略］";

    void setFile(QByteArray bytes);
    void clear() { setFile({}); }
    /// Rows that say why there is no tape to show; while there are any they are the rows,
    /// read-only and not selectable. Empty: the file's lines are the rows.
    void setNotice(QStringList rows);
    [[nodiscard]] bool showsNotice() const { return !m_notice.isEmpty(); }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Row `row` as the tape holds it, line end included; empty for a notice row.
    [[nodiscard]] std::u16string line(int row) const;
    [[nodiscard]] const journal::TapeIndex& tapeIndex() const { return m_index; }
    [[nodiscard]] std::string_view bytes() const {
        return {m_bytes.constData(), static_cast<std::size_t>(m_bytes.size())};
    }

private:
    QByteArray m_bytes;
    journal::TapeIndex m_index;
    QStringList m_notice;
};

} // namespace sumiplex::ui
