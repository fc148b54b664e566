#include "ui/tools/cash/dialog_cash2.h"

#include "core/tools/cash/tally.h"
#include "platform/settings_keys.h"
#include "ui/tools/cash/cash_grids.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/glyph_icon.h"
#include "ui/widgets/widget_helpers.h"

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

QString fromU16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

DialogCash2::DialogCash2(CashLinks links, QWidget* parent)
    : ToolWindow(links.settings, {platform::kCash2Left, platform::kCash2Top}, Closing::Unloads,
                 parent),
      m_links(std::move(links)) {
    setObjectName(QStringLiteral("DialogCash2"));
    setWindowTitle(QStringLiteral("金種合計"));
    applyToolFont(*this);
    buildControls();
    nameForScreenReaders(*this, {{"OKButton", "閉じる"}});
    describeForScreenReaders(*this, {{"Label1", "合計", "金種表の合計金額"}});
    layOutControls();
    connect(Command2, &QPushButton::clicked, this, &DialogCash2::Command2_Click);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
    for (std::size_t j = 1; j < m_texts.size(); ++j)
        connect(m_texts[j], &QLineEdit::textChanged, this, &DialogCash2::countsChanged);
    // Whatever sets the total's box, it shows the counts' sum again.
    connect(m_texts[0], &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.toStdU16String() != m_sheet.total)
            countsChanged();
    });
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    restorePosition();
}

DialogCash2::~DialogCash2() = default;

std::optional<cash::DenominationPrintout> DialogCash2::printout() const {
    if (!m_sheet.tally)
        return std::nullopt;
    return cash::tallyPrintout(*m_sheet.tally);
}

void DialogCash2::buildControls() {
    Frame1 = named(new QGroupBox(QStringLiteral("金種計算"), this), "Frame1");
    for (std::size_t j = 0; j < m_texts.size(); ++j) {
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(QStringLiteral("Text%1").arg(j));
        box->setAlignment(Qt::AlignRight);
        m_texts[j] = box;
    }
    // The total is the counts' sum, never typed: it looks as read-only as it is.
    m_texts[0]->setReadOnly(true);
    m_texts[0]->setStyleSheet(QStringLiteral("background: palette(window);"));
    const CashButtons buttons =
        memoAndPrintButtons(*this, Frame1, m_links.print, [this] { return printout(); });
    Command2 = buttons.memo;
    Command3 = buttons.print;
    // Nothing to print until a tally fills the window.
    Command3->setEnabled(false);

    const CashGrids grids = cashGrids(Frame1);
    MSFlexGrid1 = grids.entries;
    m_entryGrid = grids.entryModel;
    MSFlexGrid2 = grids.summary;
    m_summaryGrid = grids.summaryModel;
    // Empty until the first tally fills them.
    m_entryGrid->resetToRow({});
    std::array<cash::SummaryRow, cash::kDenominations> names;
    for (std::size_t k = 0; k < names.size(); ++k)
        names[k].name = cash::kShortNames[k];
    m_summaryGrid->reset(names);

    Label1 = named(new QLabel(QStringLiteral("合計"), Frame1), "Label1");
    OKButton = named(new QPushButton(QStringLiteral("close"), this), "OKButton");
}

void DialogCash2::layOutControls() {
    // Each box under the caption of its column in the table above.
    auto* boxes = new QGridLayout;
    boxes->addWidget(new QLabel(QStringLiteral("合計"), Frame1), 0, 0);
    for (std::size_t k = 0; k < cash::kDenominations; ++k)
        boxes->addWidget(new QLabel(fromU16(cash::kEntryCaptions[k]).trimmed(), Frame1), 0,
                         static_cast<int>(k) + 1);
    for (std::size_t j = 0; j < m_texts.size(); ++j)
        boxes->addWidget(m_texts[j], 1, static_cast<int>(j));

    auto* side = new QVBoxLayout;
    side->addWidget(Label1);
    auto* commands = new QHBoxLayout;
    commands->addWidget(Command2);
    commands->addWidget(Command3);
    commands->addStretch(1);
    side->addLayout(commands);
    side->addStretch(1);

    auto* lower = new QHBoxLayout;
    lower->addWidget(MSFlexGrid2, 1);
    lower->addLayout(side);

    auto* frame = new QVBoxLayout(Frame1);
    frame->addWidget(MSFlexGrid1);
    frame->addLayout(boxes);
    frame->addLayout(lower, 1);

    layOutAboveCloseButton(*this, Frame1, OKButton);

    fitColumns(*MSFlexGrid1, {});
    int entryWidth = 0;
    for (int c = 0; c < 10; ++c)
        entryWidth += MSFlexGrid1->columnWidth(c);
    const int rowHeight = MSFlexGrid1->verticalHeader()->defaultSectionSize();
    MSFlexGrid1->setMinimumWidth(entryWidth + 8);
    MSFlexGrid1->setFixedHeight(MSFlexGrid1->horizontalHeader()->sizeHint().height() + rowHeight +
                                8);
    fitSummaryGrid(*MSFlexGrid2);
}

void DialogCash2::fill(const cash::Counts& counts) {
    const auto texts = cash::countTexts(counts);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const QSignalBlocker quiet(m_texts[k + 1]);
        m_texts[k + 1]->setText(QString::fromStdU16String(texts[k]));
    }
    countsChanged();
    Command2->show();
    // The keys typed just after the last count must not land in a box.
    OKButton->setFocus(Qt::OtherFocusReason);
}

void DialogCash2::countsChanged() {
    std::array<std::u16string, cash::kDenominations> boxes;
    for (std::size_t k = 0; k < boxes.size(); ++k)
        boxes[k] = m_texts[k + 1]->text().toStdU16String();
    m_sheet = cash::tallySheet(boxes);
    {
        const QSignalBlocker quiet(m_texts[0]);
        m_texts[0]->setText(QString::fromStdU16String(m_sheet.total));
    }
    // The count that keeps the total from showing is marked.
    for (std::size_t j = 1; j < m_texts.size(); ++j)
        m_texts[j]->setStyleSheet(j == m_sheet.unreadable ? QStringLiteral("background: #ffd8d8;")
                                                          : QString());
    std::array<QString, 10> cells;
    for (std::size_t j = 0; j < cells.size(); ++j)
        cells[j] = QString::fromStdU16String(m_sheet.row[j]);
    m_entryGrid->resetToRow(cells);
    fitColumns(*MSFlexGrid1, {QStringList(cells.begin(), cells.end())});
    m_summaryGrid->reset(m_sheet.summary);
    Label1->setText(QString::fromStdU16String(m_sheet.label1));
    Command3->setEnabled(m_links.print && m_sheet.tally);
}

void DialogCash2::putUpForCorrection(std::size_t box) {
    QLineEdit* text = m_texts[box];
    text->setFocus(Qt::OtherFocusReason);
    text->selectAll();
}

void DialogCash2::Command2_Click() {
    if (!m_sheet.tally) {
        // A line cannot be left out of the memo, nor a total written that the lines do not
        // make: the count is put up for correction instead.
        putUpForCorrection(m_sheet.unreadable);
        return;
    }
    // The memo appends the last line end itself.
    QString piece = QString::fromStdU16String(cash::tallyMemoText(*m_sheet.tally));
    piece.chop(2);
    m_links.appendMemo(piece);
    Command2->hide();
    // The memo pad stays in view behind this window, which keeps the keyboard.
    activateWindow();
    OKButton->setFocus(Qt::OtherFocusReason);
}

bool DialogCash2::eventFilter(QObject* watched, QEvent* event) {
    // Enter moves on to the next control, as Tab does.
    if (isEnterPress(event)) {
        focusNextChild();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sumiplex::ui
