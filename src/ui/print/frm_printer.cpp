#include "ui/print/frm_printer.h"

#include "core/print/paper.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/widget_helpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

QString fromCore(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

} // namespace

frmPrinter::frmPrinter(platform::Printing& printing, QWidget* parent)
    : QDialog(parent), m_printing(printing) {
    setObjectName(QStringLiteral("frmPrinter"));
    setModal(true);
    setWindowTitle(QStringLiteral("印刷"));
    buildControls();
    nameForScreenReaders(*this, {{"Combo3", "プリンタ名"},
                                 {"Command3", "プリンタのプロパティ"},
                                 {"Combo2", "用紙サイズ"},
                                 {"Combo1", "給紙方法"},
                                 {"Command1", "印刷"},
                                 {"Command5", "キャンセル"}});
    describeForScreenReaders(*this, {{"Label4", "プリンタの状態"}, {"Label6", "プリンタの説明"}});

    // Load: list the printers and keep the current one chosen.
    m_printers = m_printing.printerNames();
    const QString current = m_printing.currentPrinter();
    Combo3->addItems(m_printers);
    const int index = std::max<int>(0, static_cast<int>(m_printers.indexOf(current)));
    if (m_printers.isEmpty()) {
        // Nothing to print on: say so and offer only the way out.
        Label6->setText(QStringLiteral("プリンタがインストールされていません。"));
        Combo3->setEnabled(false);
        Command3->setEnabled(false);
        Command1->setEnabled(false);
        disablePaperGroup();
        Command5->setFocus();
    } else {
        Combo3->setCurrentIndex(index);
        m_selectedPrinterIndex = index;
        m_printing.setCurrentPrinter(m_printers[index]);
        FillPaperLists();
        Command1->setFocus();
    }
    m_printConfirmed = false;

    connect(Combo3, &QComboBox::activated, this, &frmPrinter::Combo3_Click);
    connect(Combo2, &QComboBox::activated, this, &frmPrinter::Combo2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmPrinter::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPrinter::Command1_Click);
    connect(Command5, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPrinter::buildControls() {
    Frame2 = named(new QGroupBox(QStringLiteral("プリンタ"), this), "Frame2");
    Label1 = named(new QLabel(QStringLiteral("名前(&N)："), Frame2), "Label1");
    Combo3 = named(new QComboBox(Frame2), "Combo3");
    Label1->setBuddy(Combo3);
    Command3 = named(new QPushButton(QStringLiteral("ﾌﾟﾛﾊﾟﾃｨ(&U)..."), Frame2), "Command3");
    Label4 = named(new QLabel(Frame2), "Label4");
    Label6 = named(new QLabel(Frame2), "Label6");

    Frame1 = named(new QGroupBox(QStringLiteral("プリンタの用紙"), this), "Frame1");
    Label2 = named(new QLabel(QStringLiteral("サイズ(&Z)："), Frame1), "Label2");
    Combo2 = named(new QComboBox(Frame1), "Combo2");
    // Its text shows the description of the current paper, which is not one of the items.
    Combo2->setEditable(true);
    Combo2->lineEdit()->setReadOnly(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Label2->setBuddy(Combo2);
    Combo1 = named(new QComboBox(Frame1), "Combo1");
    Combo1->setVisible(false);
    Label3 = named(new QLabel(QStringLiteral("給紙方法："), Frame1), "Label3");
    Label7 = named(new QLabel(Frame1), "Label7");
    Label8 = named(new QLabel(Frame1), "Label8");

    Command1 = named(new QPushButton(QStringLiteral("印刷(&P)"), this), "Command1");
    Command5 = named(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), "Command5");
    Command1->setDefault(true);

    auto* printer = new QGridLayout(Frame2);
    printer->addWidget(Label1, 0, 0);
    printer->addWidget(Combo3, 0, 1);
    printer->addWidget(Command3, 0, 2);
    printer->addWidget(Label4, 1, 1, 1, 2);
    printer->addWidget(Label6, 2, 0, 1, 3);
    printer->setColumnStretch(1, 1);

    auto* paper = new QGridLayout(Frame1);
    paper->addWidget(Label2, 0, 0);
    paper->addWidget(Combo2, 0, 1);
    paper->addWidget(Label3, 1, 0);
    paper->addWidget(Label7, 1, 1);
    paper->addWidget(Label8, 2, 0, 1, 2);
    paper->setColumnStretch(1, 1);
    Combo2->setMinimumContentsLength(28);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command5);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame2);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
}

void frmPrinter::disablePaperGroup() {
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(Label7), static_cast<QWidget*>(Label8),
                       static_cast<QWidget*>(Combo2)})
        w->setEnabled(false);
    QPalette greyed = Combo2->palette();
    greyed.setColor(QPalette::Base, palette().color(QPalette::Button));
    Combo2->setPalette(greyed);
}

void frmPrinter::FillPaperLists() {
    Combo1->clear();
    Combo2->clear();
    m_papers.clear();
    Label7->clear();
    Label8->clear();
    for (QWidget* w : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label7),
                       static_cast<QWidget*>(Label8), static_cast<QWidget*>(Combo2)})
        w->setEnabled(true);
    Combo2->setPalette(QPalette());

    const QString printer = m_printing.currentPrinter();
    const auto papers = m_printing.papers(printer);
    const auto copies = m_printing.maxCopies(printer);
    if (!papers) {
        disablePaperGroup();
        return;
    }
    for (const platform::PaperSize& p : *papers)
        Combo1->addItem(fromCore(print::paperCodeName(p.code)), p.code);
    if (!copies) {
        disablePaperGroup();
        return;
    }
    Label6->setText(fromCore(print::maxCopiesMessage(*copies)));
    Label7->setText(fromCore(print::paperSourceMessage(m_printing.paperSource(printer))));
    m_papers = *papers;
    for (const platform::PaperSize& p : *papers)
        Combo2->addItem(p.name);
    ShowPaperDescription();
}

void frmPrinter::ShowPaperDescription() {
    const QString printer = m_printing.currentPrinter();
    const QSizeF page = m_printing.physicalPageTwips(printer);
    const long width = print::twipsToMillimetres(page.width());
    const long height = print::twipsToMillimetres(page.height());
    Combo2->setCurrentIndex(-1);
    Combo2->setEditText(
        fromCore(print::paperDescription(m_printing.currentPaper(printer), width, height)));
}

void frmPrinter::Combo3_Click(int index) {
    if (Combo3->currentText().isEmpty() || index < 0 || index >= m_printers.size())
        return;
    m_selectedPrinterIndex = index;
    m_printing.setCurrentPrinter(m_printers[index]);
    FillPaperLists();
}

void frmPrinter::Combo2_Click(int index) {
    Combo1->setCurrentIndex(index);
    if (Combo1->currentText().isEmpty() || Combo3->currentText().isEmpty())
        return;
    if (index < 0 || index >= m_papers.size())
        return;
    // Written into the printer's defaults at once: it holds for every program, cancel or not.
    (void)m_printing.setDefaultPaper(m_printing.currentPrinter(), m_papers[index]);
}

void frmPrinter::Command3_Click() {
    if (m_selectedPrinterIndex < 0)
        return;
    if (!m_printing.showDriverSettings(this, m_printers[m_selectedPrinterIndex]))
        Label4->setText(QStringLiteral("表示できません。"));
    m_printing.setCurrentPrinter(m_printers[m_selectedPrinterIndex]);
    FillPaperLists();
}

void frmPrinter::Command1_Click() {
    m_printConfirmed = true;
    accept();
}

} // namespace sumiplex::ui
