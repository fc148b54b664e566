// The controls of the main window and where they sit.

#include "ui/mainwindow/main_controls.h"
#include "core/engine/engine.h"
#include "platform/colour.h"
#include "ui/ui_fonts.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/glyph_icon.h"
#include "ui/widgets/single_line_validator.h"
#include "ui/widgets/text_list_model.h"
#include "ui/widgets/widget_helpers.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

#include <type_traits>

namespace sumiplex::ui {

namespace {

// The colour of the total, its companions and the rule lines until the user picks others.
constexpr std::int32_t kAccentColourValue = 1006847;
constexpr int kInputPointSize = 14;
constexpr int kTotalPointSize = 18;
constexpr int kTaxPointSize = 10;
constexpr int kClockIntervalMs = 1000;
constexpr int kLeftInset = 12;
constexpr int kRightInset = 13;
constexpr int kLineRightInset = 18;

QLabel* plainLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = named(new QLabel(caption, parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& toolTip) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setToolTip(toolTip);
    b->setAutoDefault(false);
    b->setMinimumWidth(0);
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return b;
}

QFrame* ruleLine(QWidget* parent, const char* name) {
    auto* line = named(new QFrame(parent), name);
    line->setFixedHeight(2);
    line->setAutoFillBackground(true);
    return line;
}

void setFillColour(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
}

} // namespace

void MainControls::build(QMainWindow& window, engine::Engine& engine) {
    auto* central = named(new QWidget(&window), "centralWidget");
    window.setCentralWidget(central);

    Label10 =
        plainLabel(central, "Label10", QStringLiteral("  Please input the numerical value(&I)"));
    Label6 = clickableLabel(central, "Label6", QStringLiteral("Now"));
    Label6->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    txtTime = named(new QLineEdit(QStringLiteral("00:00"), central), "txtTime");
    txtTime->setReadOnly(true);
    txtTime->setFocusPolicy(Qt::NoFocus);
    txtTime->setAlignment(Qt::AlignCenter);
    txtTime->setFixedWidth(52);
    keepPlaceWhenHidden(txtTime);

    Text1 = named(new QLineEdit(central), "Text1");
    // A line edit cuts what is typed or pasted past 32,767 characters without a word; a
    // number shortened that way would be added as another figure.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    // A line break pasted into the line would end up inside a tape line.
    Text1->setValidator(new SingleLineValidator(Text1));
    Label10->setBuddy(Text1);

    Label1 = clickableLabel(central, "Label1", QStringLiteral("Total"));
    Label7 = clickableLabel(central, "Label7", QString());
    Label5 = plainLabel(central, "Label5", QString());
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label5->setMinimumWidth(34);
    Text2 = named(new QLineEdit(central), "Text2");
    Text2->setFixedWidth(64);
    keepPlaceWhenHidden(Text2);
    Label2 = clickableLabel(central, "Label2", QString());
    Label2->setToolTip(QStringLiteral("税込み　　（消費税"));
    Label3 = clickableLabel(central, "Label3", QString());
    Label3->setToolTip(QStringLiteral("税抜き本体　　消費税"));

    // The place number is typed into the gap of the caption, as on a printed form.
    Label4 = clickableLabel(central, "Label4", QStringLiteral("小数点以下第　　　位"));
    Label4->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Text3 = named(new QLineEdit(QStringLiteral("１"), Label4), "Text3");
    Text3->setAlignment(Qt::AlignCenter);
    keepPlaceWhenHidden(Label4);

    Command1 = button(central, "Command1", QStringLiteral("AC  (&C)"),
                      QStringLiteral("All Clear  ( Alt + C )"));
    Command4 = button(central, "Command4", QStringLiteral("←(&B)"), QStringLiteral("Back"));
    Command5 = button(central, "Command5", QStringLiteral("→ (&N)"), QStringLiteral("Forward"));
    Command2 = button(central, "Command2", QStringLiteral("(&M)"),
                      QStringLiteral("数値をメモ帳に貼り付け"));
    Command3 =
        button(central, "Command3", QStringLiteral("(&R)"), QStringLiteral("計算履歴を表示"));
    Command6 =
        button(central, "Command6", QStringLiteral("(&Y)"), QStringLiteral("TOTALを円に換算"));
    Command7 =
        button(central, "Command7", QStringLiteral("(&D)"), QStringLiteral("TOTALをドルに換算"));

    // The engine's lists shown as they are, never copied: a long day's totals cost the
    // window nothing per line.
    List1 = named(new QListView(central), "List1");
    List3 = named(new QListView(central), "List3");
    list1Model = new TextListModel(engine.history().totals(), List1);
    list3Model = new TextListModel(engine.view().amounts, List3);
    List1->setModel(list1Model);
    List3->setModel(list3Model);
    for (QListView* list : {List1, List3})
        list->setUniformItemSizes(true);
    Text4 = named(new QLineEdit(QStringLiteral("Text4"), central), "Text4");
    for (QWidget* hidden :
         {static_cast<QWidget*>(List1), static_cast<QWidget*>(List3), static_cast<QWidget*>(Text4)})
        hidden->hide();

    Line1 = ruleLine(central, "Line1");
    Line2 = ruleLine(central, "Line2");
    Line3 = ruleLine(central, "Line3");
    Line4 = ruleLine(central, "Line4");

    auto* top = new QHBoxLayout;
    top->addWidget(Label10, 1);
    top->addWidget(Label6);
    top->addWidget(txtTime);

    auto* reading = new QHBoxLayout;
    reading->addWidget(Label7, 1);
    reading->addWidget(Label5);
    reading->addWidget(Text2);

    auto* place = new QHBoxLayout;
    place->addWidget(Label4);
    place->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    buttons->addWidget(Command1, 5);
    for (QPushButton* b : {Command4, Command5})
        buttons->addWidget(b, 4);
    for (QPushButton* b : {Command2, Command3, Command6, Command7})
        buttons->addWidget(b, 3);

    // The input line and the total span the window less 375 twips (25 pixels at 96 dpi);
    // the rule lines under them end 270 twips (18 pixels) before the right edge, and the
    // one above the picture runs the full width.
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 4, 0, 6);
    column->setSpacing(3);
    const auto row = [column](auto* item, int right) {
        auto* box = new QHBoxLayout;
        box->setContentsMargins(kLeftInset, 0, right, 0);
        if constexpr (std::is_base_of_v<QLayout, std::remove_pointer_t<decltype(item)>>)
            box->addLayout(item);
        else
            box->addWidget(item);
        column->addLayout(box);
    };
    row(top, kRightInset);
    row(Text1, kRightInset);
    row(Line1, kLineRightInset);
    row(Label1, kRightInset);
    row(reading, kRightInset);
    row(Line3, kLineRightInset);
    row(Label2, kRightInset);
    row(Label3, kRightInset);
    row(place, kRightInset);
    row(Line4, kLineRightInset);
    column->addStretch(1);
    row(buttons, kRightInset);
    column->addWidget(Line2);

    auto* bar = named(new QStatusBar(&window), "sbStatusBar");
    sbPanel1 = plainLabel(bar, "sbPanel1", QString());
    sbPanel2 = plainLabel(bar, "sbPanel2", QString());
    bar->addWidget(sbPanel1, 1);
    bar->addPermanentWidget(sbPanel2);
    // The register panels go between the line and the rate, so the rate keeps its place at
    // the right edge; each is hidden while its register is zero.
    sbPanelGT = plainLabel(bar, "sbPanelGT", QString());
    sbPanelMemory = plainLabel(bar, "sbPanelMemory", QString());
    bar->insertPermanentWidget(1, sbPanelGT);
    bar->insertPermanentWidget(2, sbPanelMemory);
    sbPanelGT->hide();
    sbPanelMemory->hide();
    window.setStatusBar(bar);

    tmrClock = named(new QTimer(&window), "tmrClock");
    tmrClock->setInterval(kClockIntervalMs);

    applyDesignFonts(window);
    QWidget::setTabOrder(Text1, Command1);
    // The figures' lines take their spoken names from the render, which adds the figure.
    nameForScreenReaders(
        window, {{"Text1", "入力欄", "数値と演算記号を入力します。末尾の＋や−で合計に加減します"},
                 {"Label1", "合計", "これまでの計算の合計"},
                 {"Label7", "四桁表示", "合計を万・億・兆の位で読んだもの"},
                 {"Label2", "税込み", "合計に消費税を加えた金額と消費税額"},
                 {"Label3", "税抜き本体", "合計を税込みとみたときの本体と消費税額"},
                 {"Text3", "端数処理の位", "切り捨て・切り上げ・四捨五入で残す小数点以下の位"},
                 {"Text2", "為替レート", "1ドルあたりの円"},
                 {"txtTime", "現在時刻"},
                 {"Label6", "現在時刻を表示"},
                 {"Command1", "オールクリア", "入力と合計を消します"},
                 {"Command4", "前の合計", "記録した一つ前の合計を表示します"},
                 {"Command5", "次の合計", "記録した一つ後の合計を表示します"},
                 {"Command2", "数値をメモ帳に貼り付け"},
                 {"Command3", "計算履歴を表示"},
                 {"Command6", "合計を円に換算"},
                 {"Command7", "合計をドルに換算"},
                 {"List1", "記録した合計"},
                 {"List3", "合計の内訳"}});
    describeForScreenReaders(window, {{"Label5", "通貨記号"},
                                      {"sbPanel1", "計算中の行"},
                                      {"sbPanel2", "為替レート"},
                                      {"sbPanelGT", "グランドトータル"},
                                      {"sbPanelMemory", "メモリー"}});
}

void MainControls::applyDesignFonts(const QMainWindow& window) {
    const QColor accent = platform::colourFromValue(kAccentColourValue, window.palette());

    QFont input(kTimesNewRoman, kInputPointSize);
    input.setBold(true);
    Text1->setFont(input);

    QFont total(kTimesNewRoman, kTotalPointSize);
    total.setBold(true);
    Label1->setFont(total);
    setTextColour(Label1, accent);

    QFont tax(kTimesNewRoman, kTaxPointSize);
    tax.setBold(true);
    for (QLabel* label : {static_cast<QLabel*>(Label2), static_cast<QLabel*>(Label3)}) {
        label->setFont(tax);
        setTextColour(label, accent);
    }
    for (QLabel* label : {static_cast<QLabel*>(Label4), Label5, static_cast<QLabel*>(Label6)})
        setTextColour(label, accent);

    QFont ac = Command1->font();
    ac.setFamily(kTimesNewRoman);
    ac.setBold(true);
    Command1->setFont(ac);

    for (QFrame* line : {Line1, Line2, Line3, Line4})
        setFillColour(line, accent);

    const QColor ink = window.palette().color(QPalette::ButtonText);
    Command2->setIcon(glyphIcon(QStringLiteral("✎"), ink));
    Command3->setIcon(glyphIcon(QStringLiteral("☰"), ink));
    Command6->setIcon(glyphIcon(QStringLiteral("¥"), accent));
    Command7->setIcon(glyphIcon(QStringLiteral("$"), accent));

    placeDecimalPlaceBox();
}

void MainControls::placeDecimalPlaceBox() {
    // Text3 lies in the blank run of Label4's caption, clear of the characters on either
    // side, in whatever font the caption has now.
    constexpr int kClearance = 2;
    const QFontMetrics metrics(Label4->font());
    const int gapStart = metrics.horizontalAdvance(QStringLiteral("小数点以下第"));
    const int gapWidth = metrics.horizontalAdvance(QStringLiteral("　　　"));
    const int height = Text3->sizeHint().height();
    Label4->setFixedSize(metrics.horizontalAdvance(Label4->text()) + 2, height);
    Text3->setGeometry(gapStart + kClearance, 0, gapWidth - 2 * kClearance, height);
}

} // namespace sumiplex::ui
