#include "ui/check/frm_check.h"

#include "core/engine/check_session.h"
#include "core/engine/engine.h"
#include "ui/check/step_grid.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/widget_helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

using engine::CheckSession;

QString verdictText(CheckSession::Verdict verdict) {
    switch (verdict) {
    case CheckSession::Verdict::Same:
        return QStringLiteral("同");
    case CheckSession::Verdict::Different:
        return QStringLiteral("差");
    case CheckSession::Verdict::NotKeyed:
        break;
    }
    return {};
}

} // namespace

frmCheck::frmCheck(std::vector<engine::TapeEntry> steps, engine::CalculationStart start,
                   Links links, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_session(std::make_unique<CheckSession>(std::move(steps), std::move(start))),
      m_links(std::move(links)) {
    setObjectName(QStringLiteral("frmCheck"));
    setWindowTitle(QStringLiteral("検算"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The keys go on to the main window's input line, which keys the check.
    setAttribute(Qt::WA_ShowWithoutActivating);
    applyToolFont(*this);

    GridCheck = stepGrid(this, "GridCheck",
                         {QStringLiteral("No."), QStringLiteral("記録"), QStringLiteral("検算"),
                          QStringLiteral("判定")});
    // The input line keys the check; the grid only shows it.
    GridCheck->setFocusPolicy(Qt::NoFocus);
    // A selection's colour would hide the red of a mismatch; the row being checked is
    // scrolled to instead.
    GridCheck->setSelectionMode(QAbstractItemView::NoSelection);
    LabelCheck = named(new QLabel(this), "LabelCheck");
    CommandKeepRecorded =
        named(new QPushButton(QStringLiteral("記録が正しい"), this), "CommandKeepRecorded");
    CommandTakeTyped =
        named(new QPushButton(QStringLiteral("入力が正しい"), this), "CommandTakeTyped");
    CommandApply = named(new QPushButton(QStringLiteral("訂正を反映"), this), "CommandApply");
    for (QPushButton* b : {CommandKeepRecorded, CommandTakeTyped, CommandApply})
        b->setAutoDefault(false);
    CommandApply->setVisible(static_cast<bool>(m_links.apply));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CommandKeepRecorded);
    buttons->addWidget(CommandTakeTyped);
    buttons->addStretch();
    buttons->addWidget(CommandApply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GridCheck);
    layout->addWidget(LabelCheck);
    layout->addLayout(buttons);

    nameForScreenReaders(
        *this, {{"frmCheck", "検算", "記録した計算を入力欄で打ち直して一歩ずつ照らし合わせます"},
                {"GridCheck", "検算の一覧", "番号、記録、打ち直した入力、判定"},
                {"CommandKeepRecorded", "記録が正しい", "食い違った一歩を打ち直します"},
                {"CommandTakeTyped", "入力が正しい", "打ち直した一歩を記録の代わりに使います"},
                {"CommandApply", "訂正を反映", "検算した合計を今の合計にします"}});
    connect(CommandKeepRecorded, &QPushButton::clicked, this, &frmCheck::CommandKeepRecorded_Click);
    connect(CommandTakeTyped, &QPushButton::clicked, this, &frmCheck::CommandTakeTyped_Click);
    connect(CommandApply, &QPushButton::clicked, this, &frmCheck::CommandApply_Click);

    const auto& rows = m_session->rows();
    GridCheck->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < GridCheck->rowCount(); ++r) {
        setCell(*GridCheck, r, 0, QString::number(r + 1));
        setCell(*GridCheck, r, 1,
                QString::fromStdU16String(
                    engine::stepText(rows[static_cast<std::size_t>(r)].recorded)));
    }
    GridCheck->resizeColumnToContents(0);
    GridCheck->setColumnWidth(1, GridCheck->fontMetrics().horizontalAdvance(QString(12, u'0')));
    GridCheck->setColumnWidth(2, GridCheck->columnWidth(1));
    resize(GridCheck->fontMetrics().horizontalAdvance(QString(52, u'0')),
           GridCheck->fontMetrics().height() * 24);
    refresh();
}

frmCheck::~frmCheck() = default;

engine::Engine* frmCheck::checkingEngine() {
    return m_session && isVisible() ? &m_session->engine() : nullptr;
}

void frmCheck::takeKeyed() {
    if (!m_session)
        return;
    switch (m_session->takeKeyed()) {
    case CheckSession::Event::Mismatch:
        QApplication::beep();
        break;
    case CheckSession::Event::Finished:
        finished();
        break;
    case CheckSession::Event::Same:
    case CheckSession::Event::None:
        break;
    }
    refresh();
}

void frmCheck::CommandKeepRecorded_Click() {
    m_session->keepRecorded();
    refresh();
    m_links.render();
}

void frmCheck::CommandTakeTyped_Click() {
    if (m_session->takeTyped() == CheckSession::Event::Finished)
        finished();
    refresh();
    m_links.render();
}

void frmCheck::CommandApply_Click() {
    if (!m_session->finished() || m_session->differences() == 0 || !m_links.apply)
        return;
    const std::vector<engine::CorrectionRow> corrected = m_session->corrected();
    m_session.reset();
    m_links.apply(corrected);
    close();
}

void frmCheck::finished() {
    if (m_outcomeWritten)
        return;
    m_outcomeWritten = true;
    m_links.writeTapeLine(u"      " + m_session->status() + u"\r\n");
}

void frmCheck::refresh() {
    if (!m_session)
        return;
    const auto& rows = m_session->rows();
    for (int r = 0; r < GridCheck->rowCount(); ++r) {
        const CheckSession::Row& row = rows[static_cast<std::size_t>(r)];
        setCell(*GridCheck, r, 2,
                row.typed ? QString::fromStdU16String(engine::stepText(*row.typed)) : QString());
        setCell(*GridCheck, r, 3, verdictText(row.verdict));
        const bool different = row.verdict == CheckSession::Verdict::Different;
        for (int c = 0; c < GridCheck->columnCount(); ++c) {
            QTableWidgetItem* item = GridCheck->item(r, c);
            item->setForeground(different ? QBrush(Qt::red) : QBrush());
            item->setBackground(different ? QBrush(QColor(0xff, 0xe4, 0xe4)) : QBrush());
        }
    }
    const int position = static_cast<int>(m_session->position());
    if (position < GridCheck->rowCount())
        GridCheck->scrollToItem(GridCheck->item(position, 0));
    LabelCheck->setText(QString::fromStdU16String(m_session->status()));
    // Each step checked, a difference and the outcome are heard as they come.
    announceCaption(*LabelCheck, QStringLiteral("検算の状態"), LabelCheck->text());
    CommandKeepRecorded->setEnabled(m_session->waiting());
    CommandTakeTyped->setEnabled(m_session->waiting());
    CommandApply->setEnabled(m_session->finished() && m_session->differences() > 0);
}

void frmCheck::closeEvent(QCloseEvent* event) {
    // The main window goes back to the calculation as it stands.
    m_session.reset();
    event->accept();
    if (m_links.render)
        m_links.render();
}

} // namespace sumiplex::ui
