#include "ui/tools/cash/cash_grids.h"

#include "core/tools/cash/breakdown.h"

#include "ui/widgets/glyph_icon.h"
#include "ui/widgets/widget_helpers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

QString fromU16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kCellPadding = 16;

QVariant numberAlignment() {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

void EntryGridModel::reset(const std::vector<std::u16string>* entries,
                           std::array<QString, 10> totals) {
    beginResetModel();
    m_entries = entries;
    m_singleRow = false;
    m_totals = std::move(totals);
    m_cachedRow = -1;
    endResetModel();
}

void EntryGridModel::resetToRow(std::array<QString, 10> cells) {
    beginResetModel();
    m_entries = nullptr;
    m_singleRow = true;
    m_totals = std::move(cells);
    m_cachedRow = -1;
    endResetModel();
}

int EntryGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    if (m_singleRow)
        return 1;
    // The entries, an empty row and the totals.
    const std::size_t entries = m_entries ? m_entries->size() : 0;
    return static_cast<int>(entries) + 2;
}

int EntryGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 10;
}

const std::array<QString, 10>& EntryGridModel::entryRow(int row) const {
    if (row != m_cachedRow) {
        const std::u16string& text = (*m_entries)[static_cast<std::size_t>(row)];
        const cash::Entry entry = cash::readEntry(text);
        const auto cells = cash::entryRowCells(entry.integerPart, entry.counts);
        for (std::size_t c = 0; c < cells.size(); ++c)
            m_cached[c] = QString::fromStdU16String(cells[c]);
        // An entry that does not read shows as it is, so the warning has a visible cause.
        if (!entry.readable)
            m_cached[0] = QString::fromStdU16String(text);
        m_cachedRow = row;
    }
    return m_cached;
}

QVariant EntryGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return numberAlignment();
    if (role != Qt::DisplayRole)
        return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (m_singleRow || index.row() == rowCount() - 1)
        return m_totals[column];
    if (index.row() == rowCount() - 2)
        return QString();
    return entryRow(index.row())[column];
}

QVariant EntryGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 9)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return fromU16(cash::kAmountHeader);
    return fromU16(cash::kEntryCaptions[static_cast<std::size_t>(section - 1)]);
}

void SummaryGridModel::reset(const std::array<cash::SummaryRow, cash::kDenominations>& rows) {
    beginResetModel();
    for (std::size_t k = 0; k < rows.size(); ++k)
        m_rows[k] = {fromU16(rows[k].name), QString::fromStdU16String(rows[k].count),
                     QString::fromStdU16String(rows[k].amount)};
    endResetModel();
}

int SummaryGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cash::kDenominations);
}

int SummaryGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant SummaryGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return numberAlignment();
    if (role != Qt::DisplayRole)
        return {};
    return m_rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
}

QVariant SummaryGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 2)
        return QAbstractTableModel::headerData(section, orientation, role);
    return fromU16(cash::kSummaryHeader[static_cast<std::size_t>(section)]);
}

QTableView* cashGrid(QWidget* parent, const char* name, const QString& toolTip) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setToolTip(toolTip);
    grid->setAccessibleName(toolTip);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrow keys move between cells; Tab goes on to the next control, or the keyboard
    // could never leave the table.
    grid->setTabKeyNavigation(false);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    // Every row is one line high; the view never measures rows it does not show.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setWordWrap(false);
    return grid;
}

void fitColumns(QTableView& grid, const std::vector<QStringList>& widestCells) {
    QHeaderView* header = grid.horizontalHeader();
    const QFontMetrics metrics = grid.fontMetrics();
    for (int c = 0; c < header->count(); ++c) {
        int width = header->sectionSizeHint(c);
        for (const QStringList& cells : widestCells)
            if (c < cells.size())
                width = std::max(width, metrics.horizontalAdvance(cells[c]) + kCellPadding);
        header->resizeSection(c, width);
    }
}

CashGrids cashGrids(QWidget* frame) {
    QTableView* entries = cashGrid(frame, "MSFlexGrid1", QStringLiteral("金種計算表"));
    auto* entryModel = new EntryGridModel(entries);
    entries->setModel(entryModel);
    QTableView* summary = cashGrid(frame, "MSFlexGrid2", QStringLiteral("金種集計表"));
    auto* summaryModel = new SummaryGridModel(summary);
    summary->setModel(summaryModel);
    return {entries, entryModel, summary, summaryModel};
}

void fitSummaryGrid(QTableView& summary) {
    fitColumns(summary, {{QString(), QStringLiteral("00000000"), QStringLiteral("000000000000")}});
    int width = 0;
    for (int c = 0; c < 3; ++c)
        width += summary.columnWidth(c);
    summary.setMinimumSize(width + 24, summary.verticalHeader()->defaultSectionSize() * 11);
}

void layOutAboveCloseButton(QWidget& window, QWidget* frame, QPushButton* close) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

CashButtons
memoAndPrintButtons(QWidget& window, QWidget* frame,
                    std::function<void(QWidget*, const cash::DenominationPrintout&)> print,
                    std::function<std::optional<cash::DenominationPrintout>()> printout) {
    const QColor ink = window.palette().color(QPalette::ButtonText);
    auto* memo = new QPushButton(QStringLiteral("(&M)"), frame);
    memo->setObjectName(QStringLiteral("Command2"));
    memo->setToolTip(QStringLiteral("メモ帳に貼り付け"));
    // Icon-only buttons: the tip is the words a screen reader says.
    memo->setAccessibleName(memo->toolTip());
    memo->setIcon(glyphIcon(QStringLiteral("✎"), ink));
    keepPlaceWhenHidden(memo);
    auto* printButton = new QPushButton(QStringLiteral("(&P)"), frame);
    printButton->setObjectName(QStringLiteral("Command3"));
    printButton->setIcon(glyphIcon(QStringLiteral("印"), ink));
    printButton->setToolTip(QStringLiteral("印刷"));
    printButton->setAccessibleName(printButton->toolTip());
    printButton->setEnabled(static_cast<bool>(print));
    QObject::connect(printButton, &QPushButton::clicked, &window,
                     [&window, print = std::move(print), printout = std::move(printout)] {
                         if (!print)
                             return;
                         if (const auto table = printout())
                             print(&window, *table);
                     });
    return {memo, printButton};
}

} // namespace sumiplex::ui
