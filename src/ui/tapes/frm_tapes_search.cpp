// Searching the earlier tapes: within the chosen one, line by line from the current line,
// and across every kept tape, file by file. Both run in slices between the window's
// events, so a year of tapes never holds the window.

#include "ui/tapes/frm_tapes.h"

#include "core/journal/tape_summary.h"
#include "platform/tape_journal.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTimer>

#include <algorithm>

namespace sumiplex::ui {
namespace {

// A slice short enough that keys and repaints go on between slices.
constexpr qint64 kSliceMs = 20;

// More lines than anyone reads through: a needle found everywhere ("1") stops here
// rather than filling the list for minutes.
constexpr int kMostFound = 10000;

constexpr int kLineRole = Qt::UserRole + 1;

QString notFound(const std::u16string& needle) {
    return QStringLiteral("「%1」は見つかりません。").arg(QString::fromStdU16String(needle));
}

} // namespace

void frmTapes::findNext() {
    if (chkAllTapes->isChecked()) {
        findInAllTapes();
        return;
    }
    if (chosenPath().isEmpty())
        return;
    const int rows = m_lines->rowCount();
    const int current = txtTape->currentIndex().isValid() ? txtTape->currentIndex().row() : -1;
    // From the line after the current one round to the current one itself.
    m_search.needle = txtFind->text().toStdU16String();
    m_search.next = rows == 0 ? 0 : (current + 1) % rows;
    m_search.left = m_search.needle.empty() ? 0 : rows;
    if (m_search.valuesOf != m_search.needle) {
        // The steps about an amount are found once per needle and tape; the lines' text is
        // searched as the slices go.
        const journal::TapeNeedle needle = journal::makeNeedle(m_search.needle);
        m_search.valueLines.clear();
        if (needle.value && !m_lines->showsNotice())
            for (const journal::FoundLine& found :
                 journal::searchTapeFile(m_lines->bytes(), needle))
                m_search.valueLines.push_back(found.line);
        m_search.valuesOf = m_search.needle;
    }
    searchSlice(++m_search.generation);
}

bool frmTapes::hasValueAt(int row) const {
    return std::binary_search(m_search.valueLines.begin(), m_search.valueLines.end(),
                              static_cast<std::size_t>(row));
}

void frmTapes::searchSlice(unsigned generation) {
    if (generation != m_search.generation)
        return;
    QElapsedTimer slice;
    slice.start();
    const int rows = m_lines->rowCount();
    if (rows == 0)
        m_search.left = 0;
    while (m_search.left > 0 && slice.elapsed() < kSliceMs) {
        const int row = m_search.next;
        m_search.next = (row + 1) % rows;
        --m_search.left;
        if (hasValueAt(row) || journal::findInTape(m_lines->line(row), m_search.needle, 0)) {
            m_search.left = 0;
            const QModelIndex index = m_lines->index(row);
            txtTape->setCurrentIndex(index);
            txtTape->scrollTo(index);
            lblStatus->setText(QString());
            return;
        }
    }
    if (m_search.left > 0) {
        lblStatus->setText(QStringLiteral("検索中…"));
        QTimer::singleShot(0, this, [this, generation] { searchSlice(generation); });
        return;
    }
    if (!m_search.needle.empty())
        lblStatus->setText(notFound(m_search.needle));
}

void frmTapes::showAllTapes(bool all) {
    lstFound->setVisible(all);
    if (!all) {
        // A search of every tape still running has nowhere to show what it finds.
        ++m_all.generation;
        m_all.text.clear();
        lstFound->clear();
    }
}

void frmTapes::findInAllTapes() {
    const std::u16string text = txtFind->text().toStdU16String();
    if (text == m_all.text && lstFound->count() > 0) {
        // Again with the same text: the next line found, round to the first.
        lstFound->setCurrentRow((lstFound->currentRow() + 1) % lstFound->count());
        return;
    }
    m_all = AllTapesSearch{text, journal::makeNeedle(text), {}, 0, 0, m_all.generation + 1};
    lstFound->clear();
    for (int row = 0; row < lstTapes->count(); ++row) {
        const QListWidgetItem* item = lstTapes->item(row);
        if (item->data(kRegularRole).toBool())
            m_all.files.push_back(
                {item->data(Qt::UserRole).toString(), item->text().section(u'　', 0, 0)});
    }
    if (m_all.needle.empty()) {
        lblStatus->setText(QString());
        return;
    }
    allTapesSlice(m_all.generation);
}

void frmTapes::allTapesSlice(unsigned generation) {
    if (generation != m_all.generation)
        return;
    QElapsedTimer slice;
    slice.start();
    while (m_all.next < m_all.files.size() && m_all.found < kMostFound &&
           slice.elapsed() < kSliceMs) {
        const AllTapesSearch::File& file = m_all.files[m_all.next++];
        const std::optional<QByteArray> bytes = platform::readTapeBytes(file.path);
        if (!bytes)
            continue;
        const std::string_view view(bytes->constData(), static_cast<std::size_t>(bytes->size()));
        for (const journal::FoundLine& line : journal::searchTapeFile(view, m_all.needle)) {
            if (m_all.found == kMostFound)
                break;
            ++m_all.found;
            auto* item = new QListWidgetItem(QStringLiteral("%1　%2行目　%3")
                                                 .arg(file.start)
                                                 .arg(line.line + 1)
                                                 .arg(QString::fromStdU16String(line.text)),
                                             lstFound);
            item->setData(Qt::UserRole, file.path);
            item->setData(kLineRole, static_cast<qulonglong>(line.line));
        }
        // The first line found is shown at once; the list fills on behind it.
        if (lstFound->currentRow() < 0 && lstFound->count() > 0)
            lstFound->setCurrentRow(0);
    }
    if (m_all.next < m_all.files.size() && m_all.found < kMostFound) {
        lblStatus->setText(
            QStringLiteral("検索中… %1 / %2 ファイル").arg(m_all.next).arg(m_all.files.size()));
        QTimer::singleShot(0, this, [this, generation] { allTapesSlice(generation); });
        return;
    }
    if (m_all.found == 0)
        lblStatus->setText(notFound(m_all.text));
    else if (m_all.found == kMostFound)
        lblStatus->setText(QStringLiteral("最初の %1 行を表示しています。").arg(kMostFound));
    else
        lblStatus->setText(QStringLiteral("%1 行見つかりました。").arg(m_all.found));
}

void frmTapes::showFound(int row) {
    const QListWidgetItem* item = row >= 0 ? lstFound->item(row) : nullptr;
    if (!item)
        return;
    const QString path = item->data(Qt::UserRole).toString();
    if (path != chosenPath() && !choose(path))
        return; // the tape is no longer listed
    const QModelIndex index = m_lines->index(static_cast<int>(item->data(kLineRole).toULongLong()));
    txtTape->setCurrentIndex(index);
    txtTape->scrollTo(index);
}

} // namespace sumiplex::ui
