// The controls of the tax by rate window and where they sit.

#include "ui/tools/datetime/tool_window.h"
#include "ui/tools/taxrate/dialog_zei.h"
#include "ui/tools/taxrate/zei_rows_model.h"
#include "ui/widgets/widget_helpers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

// A grid of fixed row heights and column widths: nothing has to measure every row, so a
// list of any length opens at once.
void setUpGrid(QTableView& grid, std::initializer_list<int> widthsInChars) {
    grid.verticalHeader()->hide();
    grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid.verticalHeader()->setDefaultSectionSize(grid.fontMetrics().height() + 6);
    grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid.horizontalHeader()->setStretchLastSection(true);
    int column = 0;
    for (const int chars : widthsInChars)
        grid.setColumnWidth(column++, grid.fontMetrics().horizontalAdvance(u'0') * chars);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control instead of walking its cells.
    grid.setTabKeyNavigation(false);
    grid.setWordWrap(false);
}

} // namespace

void DialogZei::buildControls() {
    Label1 = named(new QLabel(QStringLiteral("標準税率(&S)"), this), "Label1");
    Text1 = named(new QLineEdit(this), "Text1");
    Label2 = named(new QLabel(QStringLiteral("%"), this), "Label2");
    Label3 = named(new QLabel(QStringLiteral("軽減税率(&K)"), this), "Label3");
    Text2 = named(new QLineEdit(this), "Text2");
    Label4 = named(new QLabel(QStringLiteral("%"), this), "Label4");
    for (QLineEdit* rate : {Text1, Text2}) {
        rate->setAlignment(Qt::AlignRight);
        rate->setMaximumWidth(rate->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    }
    Label1->setBuddy(Text1);
    Label3->setBuddy(Text2);

    Frame1 = named(new QGroupBox(QStringLiteral("金額"), this), "Frame1");
    Option1 = named(new QRadioButton(QStringLiteral("税込(&I)"), Frame1), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("税抜(&E)"), Frame1), "Option2");
    Option1->setChecked(true);

    Label5 = named(
        new QLabel(QStringLiteral("明細(&L)　クリックかスペースキーで標準・軽減を切り替え"), this),
        "Label5");
    Grid1 = named(new QTableView(this), "Grid1");
    Grid1->setModel(m_rows);
    setUpGrid(*Grid1, {7, 22});
    Label5->setBuddy(Grid1);

    Grid2 = named(new QTableWidget(kSummaryRows, 5, this), "Grid2");
    Grid2->setHorizontalHeaderLabels({QStringLiteral("区分"), QStringLiteral("対象額"),
                                      QStringLiteral("消費税"), QStringLiteral("税抜"),
                                      QStringLiteral("税込")});
    setUpGrid(*Grid2, {12, 17, 14, 17});
    Grid2->setFocusPolicy(Qt::NoFocus);
    Grid2->setSelectionMode(QAbstractItemView::NoSelection);
    Grid2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid2->setFixedHeight(Grid2->horizontalHeader()->sizeHint().height() +
                          kSummaryRows * Grid2->verticalHeader()->defaultSectionSize() +
                          2 * Grid2->frameWidth());
    Label6 = named(new QLabel(this), "Label6");
    Label6->setStyleSheet(QStringLiteral("color: #c00000"));

    Command1 = memoButton(this, "Command1");
    Command1->show();
    Command2 = named(new QPushButton(QStringLiteral("テープへ(&T)"), this), "Command2");
    Command2->setToolTip(QStringLiteral("計算履歴に書き込む"));
    Command3 = named(new QPushButton(QStringLiteral("印刷"), this), "Command3");
    Command3->setEnabled(false);
    OKButton = named(new QPushButton(QStringLiteral("close"), this), "OKButton");
}

void DialogZei::layOutControls() {
    auto* basis = new QHBoxLayout(Frame1);
    basis->addWidget(Option1);
    basis->addWidget(Option2);

    auto* rates = new QGridLayout;
    rates->addWidget(Label1, 0, 0);
    rates->addWidget(Text1, 0, 1);
    rates->addWidget(Label2, 0, 2);
    rates->addWidget(Label3, 1, 0);
    rates->addWidget(Text2, 1, 1);
    rates->addWidget(Label4, 1, 2);
    rates->setColumnStretch(3, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(rates, 1);
    top->addWidget(Frame1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label5);
    layout->addWidget(Grid1, 1);
    layout->addWidget(Grid2);
    layout->addWidget(Label6);
    layout->addLayout(buttons);

    // Both basis buttons sit before the rows: Tab enters a button group at its checked
    // button, so with 税抜 checked the rows must follow Option2 as well.
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Grid1);
    setTabOrder(Grid1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, OKButton);
    resize(Grid2->horizontalHeader()->length() + 40, 480);
}

} // namespace sumiplex::ui
