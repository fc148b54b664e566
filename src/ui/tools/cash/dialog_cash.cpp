#include "ui/tools/cash/dialog_cash.h"

#include "core/tools/cash/breakdown.h"
#include "platform/settings_keys.h"
#include "ui/tools/cash/cash_grids.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/glyph_icon.h"
#include "ui/widgets/widget_helpers.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

std::array<QString, 10> qCells(const Decimal& amount, const cash::Counts& counts) {
    const auto cells = cash::entryRowCells(amount, counts);
    std::array<QString, 10> out;
    for (std::size_t c = 0; c < cells.size(); ++c)
        out[c] = QString::fromStdU16String(cells[c]);
    return out;
}

} // namespace

DialogCash::DialogCash(CashLinks links, QWidget* parent)
    : ToolWindow(links.settings, {platform::kCash1Left, platform::kCash1Top}, Closing::Unloads,
                 parent),
      m_links(std::move(links)), m_model(std::make_unique<cash::CashBreakdown>()) {
    setObjectName(QStringLiteral("DialogCash"));
    setWindowTitle(QStringLiteral("金種計算"));
    applyToolFont(*this);
    buildControls();
    nameForScreenReaders(
        *this,
        {{"Text1", "金額", "金種に分ける金額"}, {"Command1", "両替"}, {"OKButton", "閉じる"}});
    describeForScreenReaders(*this, {{"Label2", "合計", "金種表の合計金額"}, {"Label3", "注意"}});
    layOutControls();
    connectControls();
    restorePosition();
    Label3->hide();
    // Built before it is first shown, so the window never shows blank tables while its first
    // activation is on its way, or where the window manager keeps the focus elsewhere.
    Form_Activate();
    m_tablesKept = true;
}

DialogCash::~DialogCash() {
    // The entry grid reads the breakdown's entries only when the view asks. The base class
    // would hide a window still shown (laying out its grids once more) after the breakdown
    // is gone; hiding it here does so while the breakdown is still there.
    hide();
}

cash::DenominationPrintout DialogCash::printout() const {
    return m_model->printout();
}

void DialogCash::buildControls() {
    Frame1 = named(new QGroupBox(QStringLiteral("金種計算"), this), "Frame1");
    Text1 = named(new QLineEdit(Frame1), "Text1");
    Text1->setToolTip(QStringLiteral("元金"));
    Text1->setAlignment(Qt::AlignRight);
    Command1 = named(new QPushButton(QStringLiteral("両替(&E)"), Frame1), "Command1");
    const CashButtons buttons =
        memoAndPrintButtons(*this, Frame1, m_links.print, [this] { return printout(); });
    Command2 = buttons.memo;
    Command3 = buttons.print;

    const CashGrids grids = cashGrids(Frame1);
    MSFlexGrid1 = grids.entries;
    m_entryGrid = grids.entryModel;
    MSFlexGrid2 = grids.summary;
    m_summaryGrid = grids.summaryModel;

    Label1 = named(new QLabel(QStringLiteral("合計"), Frame1), "Label1");
    Label2 = named(new QLabel(Frame1), "Label2");
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label3 = named(new QLabel(QStringLiteral("計算結果を確認してください。"), Frame1), "Label3");
    Label3->setStyleSheet(QStringLiteral("color: #c00000;"));
    OKButton = named(new QPushButton(QStringLiteral("close"), this), "OKButton");
}

void DialogCash::layOutControls() {
    auto* side = new QGridLayout;
    side->addWidget(Label1, 0, 0, 1, 3);
    side->addWidget(Text1, 1, 0, 1, 2);
    side->addWidget(Command1, 1, 2);
    side->addWidget(Label2, 2, 0, 1, 2);
    side->addWidget(Command2, 3, 0);
    side->addWidget(Command3, 3, 1);
    side->addWidget(Label3, 4, 0, 1, 3);
    side->setRowStretch(5, 1);

    auto* lower = new QHBoxLayout;
    lower->addWidget(MSFlexGrid2, 1);
    lower->addLayout(side);

    auto* frame = new QVBoxLayout(Frame1);
    frame->addWidget(MSFlexGrid1, 1);
    frame->addLayout(lower);

    layOutAboveCloseButton(*this, Frame1, OKButton);

    // The summary's three columns are shown whole; the entry grid shows its ten headers.
    fitColumns(*MSFlexGrid1, {});
    int entryWidth = 0;
    for (int c = 0; c < 10; ++c)
        entryWidth += MSFlexGrid1->columnWidth(c);
    MSFlexGrid1->setMinimumSize(entryWidth + 24,
                                MSFlexGrid1->verticalHeader()->defaultSectionSize() * 8);
    fitSummaryGrid(*MSFlexGrid2);
}

void DialogCash::connectControls() {
    connect(Text1, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model->principalChanged(text.toStdU16String()); });
    connect(Command1, &QPushButton::clicked, this, &DialogCash::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &DialogCash::Command2_Click);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool DialogCash::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        const bool kept = std::exchange(m_tablesKept, false);
        if (!kept || m_links.entries() != m_model->entries() || m_links.mainTotal() != m_mainTotal)
            Form_Activate();
    }
    return QWidget::event(event);
}

bool DialogCash::eventFilter(QObject* watched, QEvent* event) {
    // Enter moves on to the next control, as Tab does.
    if (isEnterPress(event)) {
        focusNextChild();
        return true;
    }
    if (watched == Text1 && event->type() == QEvent::MouseButtonRelease)
        Text1->selectAll();
    return QWidget::eventFilter(watched, event);
}

void DialogCash::Form_Activate() {
    m_mainTotal = m_links.mainTotal();
    m_model->activated(m_links.entries(), m_mainTotal);
    renderEntries();
    render();
}

void DialogCash::Command1_Click() {
    const auto outcome = m_model->exchangeToPrincipal();
    render();
    if (outcome == cash::CashBreakdown::ExchangeOutcome::PrincipalNotANumber) {
        Text1->setFocus(Qt::OtherFocusReason);
        Text1->selectAll();
    }
}

void DialogCash::Command2_Click() {
    const auto text = m_model->takeMemoText();
    render();
    if (!text)
        return;
    // The memo appends the last line end itself.
    QString piece = QString::fromStdU16String(*text);
    piece.chop(2);
    m_links.appendMemo(piece);
    // The memo pad stays in view behind this window, which keeps the keyboard.
    m_tablesKept = true;
    activateWindow();
    OKButton->setFocus(Qt::OtherFocusReason);
}

void DialogCash::renderEntries() {
    const cash::CashTables& t = m_model->tables();
    m_entryGrid->reset(&m_model->entries(), qCells(t.amount, t.entryTotals));
    const auto& totals = m_entryGrid->lastRow();
    fitColumns(*MSFlexGrid1, {QStringList(totals.begin(), totals.end())});
}

void DialogCash::render() {
    const cash::BreakdownView& v = m_model->view();
    if (Text1->text().toStdU16String() != v.text1) {
        const QSignalBlocker quiet(Text1);
        Text1->setText(QString::fromStdU16String(v.text1));
    }
    Label1->setText(QString::fromStdU16String(v.label1));
    Label2->setText(QString::fromStdU16String(v.label2));
    Label3->setVisible(v.label3Visible);
    Command2->setVisible(v.command2Visible);
    Command2->setEnabled(v.command2Enabled);
    m_summaryGrid->reset(m_model->summary());
}

} // namespace sumiplex::ui
