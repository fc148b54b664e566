#include "ui/tools/taxrate/dialog_zei.h"
#include "ui/widgets/accessible_names.h"

#include "core/tools/taxrate/rate_sheet.h"
#include "platform/settings_keys.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/tools/taxrate/zei_rows_model.h"

#include <QColor>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>

#include <variant>

namespace sumiplex::ui {

namespace {

// Shown in the rows' rate column while a rate box holds no rate.
const QString kNoRate = QStringLiteral("?");
// A rate box holding no rate is tinted, so the box to mend stands out.
const QColor kInvalidRateBackground = QColor(0xff, 0xd8, 0xd8);

QString invalidRateMessage(bool standardValid, bool reducedValid) {
    const QString which = !standardValid && !reducedValid ? QStringLiteral("標準税率と軽減税率")
                          : !standardValid                ? QStringLiteral("標準税率")
                                                          : QStringLiteral("軽減税率");
    return which + QStringLiteral("は 0 から 100 までの数（小数は 2 桁まで）で入力してください。");
}

QString fromU16(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QString amountText(const Decimal& value) {
    return fromU16(FormatAmount(value));
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

DialogZei::DialogZei(ToolLinks links, ZeiSource source, QWidget* parent)
    : ToolWindow(links.settings, {platform::kZeiLeft, platform::kZeiTop}, Closing::Hides, parent),
      m_links(std::move(links)), m_source(std::move(source)),
      m_sheet(std::make_unique<taxrate::RateSheet>()) {
    setObjectName(QStringLiteral("DialogZei"));
    setWindowTitle(QStringLiteral("税率別集計"));
    applyToolFont(*this);
    m_sheet->assign(m_source.amounts);
    m_rows = new ZeiRowsModel(*m_sheet, this);
    buildControls();
    nameForScreenReaders(*this, {{"Text1", "標準税率", "パーセント"},
                                 {"Text2", "軽減税率", "パーセント"},
                                 {"Option1", "税込の金額"},
                                 {"Option2", "税抜の金額"},
                                 {"Grid1", "金額の一覧", "金額ごとに税率を選ぶ表"},
                                 {"Grid2", "税率別の集計", "税率ごとの対象額と消費税額"},
                                 {"Command1", "メモ帳に貼り付け"},
                                 {"Command2", "テープへ"},
                                 {"Command3", "印刷"},
                                 {"OKButton", "閉じる"}});
    describeForScreenReaders(*this, {{"Label6", "集計の結果"}});
    layOutControls();
    Form_Load();
    connectControls();
}

DialogZei::~DialogZei() {
    // A window destroyed while shown is closed by the base class, after this one is gone: the
    // rate box losing the focus then must not call back into it. A close of its own has
    // stored the rates already.
    for (QLineEdit* rate : {Text1, Text2})
        disconnect(rate, nullptr, this, nullptr);
    // The rows model reads the sheet, which goes before the window's children do.
    delete m_rows;
}

void DialogZei::connectControls() {
    connect(&m_source.amountsModel, &QAbstractItemModel::modelReset, this, &DialogZei::followReset);
    connect(&m_source.amountsModel, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { followInsert(first, last); });
    for (QLineEdit* rate : {Text1, Text2}) {
        connect(rate, &QLineEdit::textChanged, this, [this, rate] {
            // A text the program set is a whole rate; one the user is typing ("10" on its way
            // to "8" passes "1" and "") is stored once the box is left.
            if (!rate->isModified())
                storeRate(*rate);
            rateChanged();
        });
        connect(rate, &QLineEdit::editingFinished, this, [this, rate] { storeRate(*rate); });
    }
    connect(Option1, &QRadioButton::toggled, this, &DialogZei::refreshSummary);
    connect(Grid1, &QTableView::clicked, this,
            [this](const QModelIndex& index) { toggleRow(index.row()); });
    Grid1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &DialogZei::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &DialogZei::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, [this] {
        // A print-out is handed on: it shows the figures of the rule and rates as they are now.
        refreshSummary();
        if (m_source.print && m_summary)
            m_source.print(this, *m_summary);
    });
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
}

void DialogZei::Form_Load() {
    restorePosition();
    // A stored rate that is no rate gives way to the default.
    const auto rateText = [this](const platform::Setting<QStringView>& setting) {
        const QString stored = platform::readSetting(m_links.settings, setting);
        return taxrate::parseRate(stored.toStdU16String()) ? stored
                                                           : setting.defaultValue.toString();
    };
    Text1->setText(rateText(platform::kZeiRate));
    Text2->setText(rateText(platform::kZeiRateK));
    rateChanged();
    if (m_rows->rowCount() > 0)
        Grid1->setCurrentIndex(m_rows->index(0, 0));
}

void DialogZei::followReset() {
    m_sheet->assign(m_source.amounts);
    m_rows->sheetReset();
    m_shownFor.reset();
    if (m_rows->rowCount() > 0)
        Grid1->setCurrentIndex(m_rows->index(0, 0));
    refreshSummary();
}

void DialogZei::followInsert(int first, int last) {
    const auto from = static_cast<std::size_t>(first);
    if (first < 0 || last < first || from != m_sheet->size() ||
        static_cast<std::size_t>(last) + 1 != m_source.amounts.size())
        return followReset(); // not an addition at the end after all
    m_sheet->append(m_source.amounts, from);
    m_rows->sheetGrew();
    m_shownFor.reset();
    if (!Grid1->currentIndex().isValid())
        Grid1->setCurrentIndex(m_rows->index(0, 0));
    refreshSummary();
}

void DialogZei::toggleRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_sheet->size())
        return;
    m_sheet->toggle(static_cast<std::size_t>(row));
    m_rows->rowToggled(row);
    m_shownFor.reset();
    refreshSummary();
}

void DialogZei::rateChanged() {
    const auto standard = taxrate::parseRate(Text1->text().toStdU16String());
    const auto reduced = taxrate::parseRate(Text2->text().toStdU16String());
    markRate(*Text1, standard.has_value());
    markRate(*Text2, reduced.has_value());
    m_rows->setRates(standard ? fromU16(standard->toPlainString()) : kNoRate,
                     reduced ? fromU16(reduced->toPlainString()) : kNoRate);
    refreshSummary();
}

void DialogZei::storeRate(QLineEdit& box) {
    // Only a valid rate is remembered, so a half-typed one never replaces a good one.
    const auto rate = taxrate::parseRate(box.text().toStdU16String());
    if (!rate)
        return;
    const auto& setting = &box == Text1 ? platform::kZeiRate : platform::kZeiRateK;
    m_links.settings.write(setting.key, fromU16(rate->toPlainString()));
    box.setModified(false);
}

void DialogZei::markRate(QLineEdit& box, bool valid) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base,
                     valid ? this->palette().color(QPalette::Base) : kInvalidRateBackground);
    box.setPalette(palette);
}

void DialogZei::taxRuleChanged() {
    refreshSummary();
}

void DialogZei::refreshSummary() {
    // A hidden window sums when it is shown again, not at every amount typed meanwhile.
    if (!isVisible())
        return;
    const Inputs inputs{Text1->text(), Text2->text(), Option2->isChecked(),
                        m_source.taxRule ? m_source.taxRule() : 1};
    if (m_shownFor == inputs)
        return;
    m_shownFor = inputs;
    const auto standard = taxrate::parseRate(Text1->text().toStdU16String());
    const auto reduced = taxrate::parseRate(Text2->text().toStdU16String());
    if (!standard || !reduced)
        return clearSummary(invalidRateMessage(standard.has_value(), reduced.has_value()));
    const taxrate::RateChoice choice{
        .standard = *standard,
        .reduced = *reduced,
        .basis = Option2->isChecked() ? taxrate::Basis::TaxExcluded : taxrate::Basis::TaxIncluded,
        .ruleCode = inputs.ruleCode,
    };
    const taxrate::SummaryResult result = m_sheet->summary(choice);
    if (const auto* error = std::get_if<taxrate::SummaryError>(&result))
        return clearSummary(*error == taxrate::SummaryError::Overflow
                                ? QStringLiteral("金額が大きすぎて集計できません。")
                                : QStringLiteral("数値でない金額があるため集計できません。"));
    showSummary(std::get<taxrate::RateSummary>(result));
}

void DialogZei::showSummary(const taxrate::RateSummary& summary) {
    m_summary = std::make_unique<taxrate::RateSummary>(summary);
    const auto fill = [this](int row, const QString& name, const taxrate::RateGroup& g) {
        Grid2->setItem(row, 0, cell(name, Qt::AlignLeft));
        Grid2->setItem(row, 1, cell(amountText(g.sum)));
        Grid2->setItem(row, 2, cell(amountText(g.tax)));
        Grid2->setItem(row, 3, cell(amountText(g.withoutTax)));
        Grid2->setItem(row, 4, cell(amountText(g.withTax)));
    };
    const auto rateName = [](const char* word, const Decimal& rate) {
        return QString::fromUtf8(word) + fromU16(rate.toPlainString()) + u'%';
    };
    fill(kStandardRow, rateName("標準 ", summary.standard.rate), summary.standard);
    fill(kReducedRow, rateName("※軽減 ", summary.reduced.rate), summary.reduced);
    if (summary.merged) {
        // One rate for all rows: the reduced row is part of the standard one.
        for (int c = 1; c < Grid2->columnCount(); ++c)
            Grid2->setItem(kReducedRow, c, cell(QString()));
        Grid2->setItem(kReducedRow, 1, cell(QStringLiteral("標準と同率")));
    }
    fill(kTotalRow, QStringLiteral("合計"), summary.total);
    Label6->clear();
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command3->setEnabled(static_cast<bool>(m_source.print));
}

void DialogZei::clearSummary(const QString& message) {
    m_summary.reset();
    for (int r = 0; r < Grid2->rowCount(); ++r)
        for (int c = 0; c < Grid2->columnCount(); ++c)
            Grid2->setItem(r, c, cell(QString()));
    Label6->setText(message);
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
}

QStringList DialogZei::summaryLines() const {
    QStringList lines;
    if (m_summary)
        for (const std::u16string& line : taxrate::summaryLines(*m_summary))
            lines.append(fromU16(line));
    return lines;
}

void DialogZei::Command1_Click() {
    const QStringList lines = summaryLines();
    if (lines.isEmpty())
        return;
    // The summary and an empty line; the memo ends the piece with the last.
    m_links.appendMemo(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    // The memo pad stays in view behind this window, which keeps the keyboard.
    activateWindow();
    Grid1->setFocus();
}

void DialogZei::Command2_Click() {
    const QStringList lines = summaryLines();
    if (lines.isEmpty())
        return;
    // Indented as the tape's own result lines are.
    QString piece;
    for (const QString& line : lines)
        piece += QStringLiteral("      ") + line + QStringLiteral("\r\n");
    m_links.appendTape(piece.toStdU16String());
}

bool DialogZei::event(QEvent* event) {
    // The main window's tax rule may have changed while this window was in the background.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        refreshSummary();
    return QWidget::event(event);
}

bool DialogZei::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Grid1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggleRow(Grid1->currentIndex().row());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DialogZei::storeOnClose() {
    for (QLineEdit* rate : {Text1, Text2})
        storeRate(*rate);
}

} // namespace sumiplex::ui
