#include "ui/check/frm_correct.h"

#include "core/engine/engine.h"
#include "ui/check/step_grid.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/widget_helpers.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

constexpr int kInputColumn = 1;
constexpr int kTotalColumn = 2;
constexpr int kNoteColumn = 3;

} // namespace

frmCorrect::frmCorrect(std::vector<engine::TapeEntry> steps, engine::CalculationStart start,
                       Links links, QWidget* parent)
    : QWidget(parent, Qt::Window), m_rows(engine::correctionRows(std::move(steps))),
      m_start(std::move(start)), m_links(std::move(links)) {
    setObjectName(QStringLiteral("frmCorrect"));
    setWindowTitle(QStringLiteral("訂正"));
    setAttribute(Qt::WA_DeleteOnClose);
    applyToolFont(*this);

    GridEntries = stepGrid(this, "GridEntries",
                           {QStringLiteral("No."), QStringLiteral("入力"), QStringLiteral("合計"),
                            QStringLiteral("摘要")});
    GridEntries->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    GridEntries->installEventFilter(this);
    CommandApply = named(new QPushButton(QStringLiteral("訂正を反映"), this), "CommandApply");
    CommandCancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "CommandCancel");
    // Enter commits a cell; it presses no button.
    CommandApply->setAutoDefault(false);
    CommandCancel->setAutoDefault(false);

    nameForScreenReaders(
        *this,
        {{"frmCorrect", "訂正", "計算の一歩を直すと、それより後の合計がすべて計算し直されます"},
         {"GridEntries", "計算の一歩の一覧",
          "番号、入力、その一歩の後の合計、摘要。入力と摘要は書き換えられます。"
          "Insert で行を加え、Delete で行を消します"},
         {"CommandApply", "訂正を反映", "直した計算を今の合計にします"},
         {"CommandCancel", "キャンセル", "何も変えずに閉じます"}});
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandApply);
    buttons->addWidget(CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GridEntries);
    layout->addLayout(buttons);

    connect(GridEntries, &QTableWidget::itemChanged, this, &frmCorrect::GridEntries_Changed);
    // A row chosen by its number or its total is typed into at its input.
    connect(GridEntries, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && (column == 0 || column == kTotalColumn))
            GridEntries->setCurrentCell(row, kInputColumn);
    });
    connect(CommandApply, &QPushButton::clicked, this, &frmCorrect::CommandApply_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &QWidget::close);

    const QFontMetrics metrics = GridEntries->fontMetrics();
    GridEntries->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("00000")));
    GridEntries->setColumnWidth(kInputColumn, metrics.horizontalAdvance(QString(14, u'0')));
    GridEntries->setColumnWidth(kTotalColumn, metrics.horizontalAdvance(QString(16, u'0')));
    resize(metrics.horizontalAdvance(QString(60, u'0')), metrics.height() * 24);
    recompute();
    // Typing goes into the input of the selected row.
    if (!m_rows.empty())
        GridEntries->setCurrentCell(0, kInputColumn);
}

frmCorrect::~frmCorrect() = default;

void frmCorrect::stepRecorded(const engine::TapeEntry& entry) {
    if (!engine::isCalculationStep(entry))
        return;
    std::vector<engine::TapeEntry> one{entry};
    m_rows.push_back(engine::correctionRows(std::move(one)).front());
    recompute();
}

void frmCorrect::calculationStarted() {
    m_rows.clear();
    recompute();
}

void frmCorrect::recompute() {
    m_result = engine::recompute(m_start, m_rows);
    showRows();
}

void frmCorrect::showRows() {
    const QSignalBlocker blocker(GridEntries);
    GridEntries->setRowCount(static_cast<int>(m_rows.size()));
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const int r = static_cast<int>(i);
        const engine::RowOutcome& outcome = m_result.rows[i];
        QString total;
        if (outcome.state == engine::RowOutcome::State::Invalid)
            total = QStringLiteral("ERROR");
        else if (outcome.state == engine::RowOutcome::State::Done)
            total = QString::fromStdU16String(FormatAmount(outcome.total));
        setCell(*GridEntries, r, 0, QString::number(r + 1));
        setCell(*GridEntries, r, kInputColumn,
                QString::fromStdU16String(outcome.carriedInput.empty()
                                              ? engine::stepText(m_rows[i].step)
                                              : outcome.carriedInput),
                true);
        setCell(*GridEntries, r, kTotalColumn, total);
        GridEntries->item(r, kTotalColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setCell(*GridEntries, r, kNoteColumn, QString::fromStdU16String(m_rows[i].step.note), true);
    }
    // Applied only when every row is a step and something is left to apply.
    CommandApply->setEnabled(m_result.valid());
}

void frmCorrect::GridEntries_Changed(QTableWidgetItem* item) {
    const auto row = static_cast<std::size_t>(item->row());
    if (row >= m_rows.size())
        return;
    engine::CorrectionRow& step = m_rows[row];
    if (item->column() == kInputColumn) {
        const std::u16string text = item->text().trimmed().toStdU16String();
        const std::u16string& carried = m_result.rows[row].carriedInput;
        if (text == (carried.empty() ? engine::stepText(step.step) : carried))
            return;
        engine::TapeEntry typed = engine::typedStep(text);
        typed.note = step.step.note;
        step = engine::CorrectionRow{std::move(typed), 0};
    } else if (item->column() == kNoteColumn) {
        step.step.note = engine::cleanNote(item->text().toStdU16String());
    } else {
        return;
    }
    recompute();
}

void frmCorrect::insertRow() {
    const int selected = GridEntries->currentRow();
    const std::size_t at = selected < 0 ? m_rows.size() : static_cast<std::size_t>(selected);
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at),
                  engine::CorrectionRow{engine::typedStep({}), 0});
    recompute();
    GridEntries->setCurrentCell(static_cast<int>(at), kInputColumn);
}

void frmCorrect::deleteRow() {
    const int selected = GridEntries->currentRow();
    if (selected < 0 || static_cast<std::size_t>(selected) >= m_rows.size())
        return;
    m_rows.erase(m_rows.begin() + selected);
    recompute();
    if (!m_rows.empty())
        GridEntries->setCurrentCell(std::min(selected, static_cast<int>(m_rows.size()) - 1),
                                    kInputColumn);
}

void frmCorrect::CommandApply_Click() {
    if (!m_result.valid())
        return;
    const std::vector<engine::TapeEntry> block = m_result.block(m_rows);
    const Decimal total = m_result.total();
    // The window goes first: what applying records on the tape is no step to add here.
    auto apply = std::move(m_links.apply);
    close();
    apply(block, total);
}

bool frmCorrect::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GridEntries && event->type() == QEvent::KeyPress &&
        // Not a key the cell editor passed on.
        QApplication::focusWidget() == GridEntries) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert) {
            insertRow();
            return true;
        }
        if (key == Qt::Key_Delete) {
            deleteRow();
            return true;
        }
        // A cell being edited takes Escape itself, to leave the edit.
        if (key == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sumiplex::ui
