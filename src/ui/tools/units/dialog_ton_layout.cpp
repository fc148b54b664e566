// The controls of the unit window and where they sit.

#include "ui/tools/datetime/tool_window.h"
#include "ui/tools/units/dialog_ton.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/widget_helpers.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

constexpr int kQuantityWidth = 90;
constexpr int kSymbolListWidth = 70;
constexpr int kNameListWidth = 160;
constexpr int kRateWidth = 60;
constexpr int kMemoButtonWidth = 56;

const QString kPlaceCaption = QStringLiteral("   小数点以下第　　　位");

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& toolTip) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setToolTip(toolTip);
    // The captions are single signs ("U", "¥"); the tip says in words what they do.
    b->setAccessibleName(toolTip);
    b->setAutoDefault(false);
    return b;
}

// The paste-to-memo buttons, hidden until there is a line to paste, keep their place in
// the rows meanwhile.
QPushButton* rowMemoButton(QWidget* parent, const QString& name) {
    QPushButton* b = memoButton(parent, name);
    b->setAutoDefault(false);
    b->setFixedWidth(kMemoButtonWidth);
    keepPlaceWhenHidden(b);
    return b;
}

const char* const kFrameCaptions[] = {"長さの単位(&M)", "質量の単位(&K)", "体積の単位(&L)"};

} // namespace

void DialogTon::buildControls() {
    for (int number = 1; number <= static_cast<int>(m_panels.size()); ++number)
        buildPanel(number);
    buildPricePanels();
    Label6 = named(new QLabel(this), "Label6");
    Label6->setText(
        QStringLiteral("    本プログラムは、公用、商用に耐える正確さを保証しておりません。\n"));
    OKButton = button(this, "OKButton", QStringLiteral("close"), QString());
    buildPopup();
    layOut();
}

void DialogTon::buildPanel(int number) {
    Panel& p = m_panels[static_cast<std::size_t>(number - 1)];
    p.frame = named(new QGroupBox(QString::fromUtf8(kFrameCaptions[number - 1]), this),
                    QStringLiteral("Frame%1").arg(number));
    p.quantity =
        named(new QLineEdit(QStringLiteral("1"), p.frame), QStringLiteral("Text%1").arg(number));
    p.quantity->setFixedWidth(kQuantityWidth);
    p.source = named(new QComboBox(p.frame), QStringLiteral("Combo%1").arg(2 * number - 1));
    p.source->setFixedWidth(kSymbolListWidth);
    p.target = named(new QComboBox(p.frame), QStringLiteral("Combo%1").arg(2 * number));
    p.target->setFixedWidth(kNameListWidth);
    p.result = clickableLabel(p.frame, QStringLiteral("Label%1").arg(number), QString());
    p.result->hide();
    p.memo = rowMemoButton(p.frame, QStringLiteral("Command%1").arg(number + 2));

    auto* grid = new QGridLayout(p.frame);
    grid->addWidget(p.quantity, 0, 0);
    grid->addWidget(p.source, 0, 1);
    grid->addWidget(named(new QLabel(QStringLiteral("→"), p.frame), "arrow"), 0, 2);
    grid->addWidget(p.target, 0, 3, 1, 2, Qt::AlignLeft);
    grid->addWidget(p.result, 1, 0, 1, 4);
    grid->addWidget(p.memo, 1, 4, Qt::AlignRight);
    grid->setColumnStretch(3, 1);
}

void DialogTon::buildPricePanels() {
    Frame4 = named(new QGroupBox(QStringLiteral("単価換算(&U)"), this), "Frame4");
    Label4 = clickableLabel(Frame4, QStringLiteral("Label4"), QStringLiteral("Unit Price 1"));
    Label4->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    Text4 = named(new QLineEdit(Frame4), "Text4");
    Text4->setFixedWidth(kQuantityWidth);
    Command1 = button(Frame4, "Command1", QStringLiteral("U"), QStringLiteral("元に戻す"));
    // The yen sign, as the Japanese character set shows its backslash.
    Command6 = button(Frame4, "Command6", QStringLiteral("¥"), QStringLiteral("円に換算"));
    Command7 = button(Frame4, "Command7", QStringLiteral("$"), QStringLiteral("ドルに換算"));
    for (QPushButton* b : {Command1, Command6, Command7})
        b->setFixedWidth(32);
    Text5 = named(new QLineEdit(Frame4), "Text5");
    Text5->setFixedWidth(kRateWidth);
    Text5->setToolTip(QStringLiteral("1 USD"));
    Label5 = clickableLabel(Frame4, QStringLiteral("Label5"), QString());
    Command2 = rowMemoButton(Frame4, QStringLiteral("Command2"));
    Label7 = clickableLabel(Frame4, QStringLiteral("Label7"), kPlaceCaption);
    Label7->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Text6 = named(new QLineEdit(QStringLiteral("１"), Label7), "Text6");
    Text6->setAlignment(Qt::AlignCenter);
    Label7->hide();
    keepPlaceWhenHidden(Label7);

    auto* priceGrid = new QGridLayout(Frame4);
    auto* inputs = new QHBoxLayout;
    inputs->addWidget(Label4);
    inputs->addWidget(Text4);
    inputs->addWidget(Command1);
    inputs->addWidget(Command6);
    inputs->addWidget(Command7);
    inputs->addStretch(1);
    inputs->addWidget(named(new QLabel(QStringLiteral("1 USD"), Frame4), "rateCaption"));
    inputs->addWidget(Text5);
    priceGrid->addLayout(inputs, 0, 0, 1, 2);
    priceGrid->addWidget(Label5, 1, 0);
    priceGrid->addWidget(Command2, 1, 1, Qt::AlignRight);
    priceGrid->addWidget(Label7, 2, 0, 1, 2, Qt::AlignLeft);
    priceGrid->setColumnStretch(0, 1);

    Frame5 = named(new QGroupBox(QStringLiteral("Q'TY　UNIT PRICE   AMOUNT(&Q)"), this), "Frame5");
    Text7 = named(new QLineEdit(QStringLiteral("1"), Frame5), "Text7");
    Text7->setFixedWidth(kQuantityWidth);
    Label9 = named(new QLabel(Frame5), "Label9");
    Label9->setTextFormat(Qt::PlainText);
    Label8 = clickableLabel(Frame5, QStringLiteral("Label8"), QString());
    Command8 = rowMemoButton(Frame5, QStringLiteral("Command8"));
    auto* qtyGrid = new QGridLayout(Frame5);
    auto* quantity = new QHBoxLayout;
    quantity->addWidget(Text7);
    quantity->addWidget(Label9, 1);
    qtyGrid->addLayout(quantity, 0, 0, 1, 2);
    qtyGrid->addWidget(Label8, 1, 0);
    qtyGrid->addWidget(Command8, 1, 1, Qt::AlignRight);
    qtyGrid->setColumnStretch(0, 1);
}

void DialogTon::buildPopup() {
    // A context menu outside any menu bar, opened on the unit-price line.
    mnuPopup = named(new QMenu(QStringLiteral("Popmenu"), this), "mnuPopup");
    const auto add = [this](const char* name, const QString& caption) {
        auto* action = named(new QAction(caption, mnuPopup), name);
        mnuPopup->addAction(action);
        return action;
    };
    mnuPopUndo = add("mnuPopUndo", QStringLiteral("元に戻す(&U)"));
    mnuPopup->addSeparator()->setObjectName(QStringLiteral("mnuBar01"));
    mnuPopFix = add("mnuPopFix", QStringLiteral("切り捨て(&F)"));
    mnuPopU = add("mnuPopU", QStringLiteral("切り上げ(&T)"));
    mnuPopB = add("mnuPopB", QStringLiteral("四捨五入(&B)"));
    mnuPopup->addSeparator()->setObjectName(QStringLiteral("mnuBar02"));
    mnuPopDcl = add("mnuPopDcl", QStringLiteral("小数点以下の位(&D)"));
}

void DialogTon::layOut() {
    auto* column = new QVBoxLayout(this);
    for (const Panel& p : m_panels)
        column->addWidget(p.frame);
    column->addWidget(Frame4);
    column->addWidget(Frame5);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label6, 1);
    bottom->addWidget(OKButton);
    column->addLayout(bottom);
    placeText6();
}

void DialogTon::placeText6() {
    // The place number is typed into the gap of the caption, as on a printed form.
    const QFontMetrics metrics(Label7->font());
    const int gapStart = metrics.horizontalAdvance(QStringLiteral("   小数点以下第"));
    const int gapWidth = metrics.horizontalAdvance(QStringLiteral("　　　"));
    const int height = Text6->sizeHint().height();
    Label7->setFixedSize(metrics.horizontalAdvance(kPlaceCaption) + 2, height);
    Text6->setGeometry(gapStart, 0, gapWidth, height);
}

} // namespace sumiplex::ui
