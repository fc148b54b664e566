#include "ui/tools/margin/dialog_margin.h"

#include "core/tools/margin/margin_sheet.h"
#include "platform/settings_keys.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/widget_helpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

namespace sumiplex::ui {

namespace {

using margin::Figure;

QLineEdit* figureBox(QWidget* parent, const char* name) {
    auto* box = named(new QLineEdit(parent), name);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QLineEdit* buddy) {
    auto* label = named(new QLabel(text, parent), name);
    label->setBuddy(buddy);
    return label;
}

void setTextIfChanged(QLabel* label, const std::u16string& text) {
    const QString value = QString::fromStdU16String(text);
    if (label->text() != value)
        label->setText(value);
}

} // namespace

DialogMargin::DialogMargin(ToolLinks links, QWidget* parent)
    : ToolWindow(links.settings, {platform::kMarginLeft, platform::kMarginTop}, Closing::Unloads,
                 parent),
      m_links(std::move(links)), m_sheet(std::make_unique<margin::MarginSheet>()) {
    setObjectName(QStringLiteral("DialogMargin"));
    setWindowTitle(QStringLiteral("商売計算"));
    applyToolFont(*this);
    buildControls();
    nameForScreenReaders(*this, {{"CommandSend", "入力行へ"}, {"OKButton", "閉じる"}});
    layOutControls();
    restorePosition();
    connectControls();
    render();
}

DialogMargin::~DialogMargin() = default;

void DialogMargin::buildControls() {
    TextCost = figureBox(this, "TextCost");
    Label1 = caption(this, "Label1", QStringLiteral("原価(&C)"), TextCost);
    TextPrice = figureBox(this, "TextPrice");
    Label2 = caption(this, "Label2", QStringLiteral("売価(&P)"), TextPrice);
    TextRate = figureBox(this, "TextRate");
    Label3 = caption(this, "Label3", QStringLiteral("利益率(&R)"), TextRate);
    LabelProfit = named(new QLabel(this), "LabelProfit");
    LabelMarkup = named(new QLabel(this), "LabelMarkup");
    LabelReason = named(new QLabel(this), "LabelReason");
    LabelReason->setWordWrap(true);
    CommandSend = named(new QPushButton(QStringLiteral("入力行へ(&S)"), this), "CommandSend");
    CommandSend->setToolTip(QStringLiteral("求めた値を計算の入力行へ送ります"));
    CommandMemo = memoButton(this, "CommandMemo");
    keepPlaceWhenHidden(CommandMemo);
    OKButton = named(new QPushButton(QStringLiteral("close"), this), "OKButton");
}

void DialogMargin::layOutControls() {
    auto* figures = new QGridLayout;
    figures->addWidget(Label1, 0, 0);
    figures->addWidget(TextCost, 0, 1);
    figures->addWidget(Label2, 1, 0);
    figures->addWidget(TextPrice, 1, 1);
    figures->addWidget(Label3, 2, 0);
    figures->addWidget(TextRate, 2, 1);
    figures->addWidget(new QLabel(QStringLiteral("%"), this), 2, 2);
    figures->setColumnStretch(1, 1);
    // Room for a 28-digit amount with its commas, so a worked-out figure is read whole.
    figures->setColumnMinimumWidth(1, TextCost->fontMetrics().horizontalAdvance(QStringLiteral(
                                          "00,000,000,000,000,000,000,000,000,000")));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CommandSend);
    buttons->addWidget(CommandMemo);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(figures);
    layout->addWidget(LabelProfit);
    layout->addWidget(LabelMarkup);
    layout->addWidget(LabelReason);
    layout->addLayout(buttons);
}

void DialogMargin::connectControls() {
    const std::array<std::pair<QLineEdit*, Figure>, 3> boxes{
        {{TextCost, Figure::Cost}, {TextPrice, Figure::Price}, {TextRate, Figure::Rate}}};
    for (const auto& [box, which] : boxes) {
        // A structured binding is not captured by every compiler: the figure is copied.
        const Figure figure = which;
        connect(box, &QLineEdit::textChanged, this,
                [this, figure](const QString& text) { edited(figure, text); });
    }
    connect(CommandSend, &QPushButton::clicked, this, &DialogMargin::CommandSend_Click);
    connect(CommandMemo, &QPushButton::clicked, this, &DialogMargin::CommandMemo_Click);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
}

void DialogMargin::prepare(const QString& total) {
    TextCost->setText(total);
    TextCost->selectAll();
    TextCost->setFocus(Qt::OtherFocusReason);
}

void DialogMargin::edited(Figure box, const QString& text) {
    m_sheet->edit(box, text.toStdU16String());
    render();
}

void DialogMargin::render() {
    const margin::SheetView& view = m_sheet->view();
    const std::array<QLineEdit*, 3> boxes{TextCost, TextPrice, TextRate};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        // The box the answer goes to is shaded like a read-only field, so the user sees
        // which two figures are taken as given.
        const bool answer = view.computed && static_cast<std::size_t>(*view.computed) == i;
        QPalette shade = palette();
        if (answer)
            shade.setColor(QPalette::Base, palette().color(QPalette::Window));
        if (boxes[i]->palette().color(QPalette::Base) != shade.color(QPalette::Base))
            boxes[i]->setPalette(shade);
        const QString text = QString::fromStdU16String(view.boxes[i]);
        if (boxes[i]->text() == text)
            continue;
        const QSignalBlocker quiet(boxes[i]);
        boxes[i]->setText(text);
    }
    setTextIfChanged(LabelProfit, view.profit);
    setTextIfChanged(LabelMarkup, view.markup);
    setTextIfChanged(LabelReason, view.reason);
    CommandSend->setEnabled(view.result.has_value());
    CommandMemo->setVisible(view.result.has_value());
}

void DialogMargin::CommandSend_Click() {
    if (const auto& result = m_sheet->view().result)
        m_links.replaceInputLine(QString::fromStdU16String(result->toPlainString()),
                                 InputLineFocus::TakeFocus);
}

void DialogMargin::CommandMemo_Click() {
    const margin::SheetView& view = m_sheet->view();
    if (!view.result)
        return;
    m_links.appendMemo(QString::fromStdU16String(view.memoText));
    // The memo pad stays in view behind this window, which keeps the keyboard.
    activateWindow();
    OKButton->setFocus();
}

} // namespace sumiplex::ui
