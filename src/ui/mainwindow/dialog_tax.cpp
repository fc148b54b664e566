#include "ui/mainwindow/dialog_tax.h"

#include "core/engine/tax.h"
#include "ui/widgets/ok_cancel_column.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

DialogTax::DialogTax(int rate, int rule, QWidget* parent)
    : QDialog(parent), m_rate(rate), m_rule(rule) {
    setObjectName(QStringLiteral("DialogTax"));
    setModal(true);
    setWindowTitle(QStringLiteral("消費税の設定"));

    Frame1 = new QGroupBox(QStringLiteral("消費税の設定"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("消費税率％(&R)"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(QString::number(rate), Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Label1->setBuddy(Text1);
    Frame2 = new QGroupBox(QStringLiteral("端数処理(&O)"), Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Option3 = new QRadioButton(QStringLiteral("四捨五入"), Frame2);
    Option3->setObjectName(QStringLiteral("Option3"));
    Option2 = new QRadioButton(QStringLiteral("切り上げ"), Frame2);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option1 = new QRadioButton(QStringLiteral("切り捨て"), Frame2);
    Option1->setObjectName(QStringLiteral("Option1"));
    const OkCancelButtons buttons = makeOkCancelButtons(*this);
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;

    // A stored code outside 1..3 checks no button; OK then keeps that code.
    Option1->setChecked(rule == engine::kTaxTruncate);
    Option2->setChecked(rule == engine::kTaxRoundUp);
    Option3->setChecked(rule == engine::kTaxRoundHalf);
    Text1->setCursorPosition(static_cast<int>(Text1->text().size()));

    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(Label1);
    rateRow->addWidget(Text1, 1);
    auto* options = new QVBoxLayout(Frame2);
    options->addWidget(Option3);
    options->addWidget(Option2);
    options->addWidget(Option1);
    auto* frame = new QVBoxLayout(Frame1);
    frame->addLayout(rateRow);
    frame->addWidget(Frame2);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame1, 1);
    layout->addLayout(okCancelColumn(buttons));

    connect(OKButton, &QPushButton::clicked, this, &DialogTax::OKButton_Click);
    Text1->setFocus();
}

void DialogTax::OKButton_Click() {
    if (Text1->text().isEmpty())
        Text1->setText(QStringLiteral("0"));
    m_rate = engine::taxRateFromText(Text1->text().toStdU16String(), m_rate);
    m_rule = engine::taxRuleFromOptions({.option1 = Option1->isChecked(),
                                         .option2 = Option2->isChecked(),
                                         .option3 = Option3->isChecked()},
                                        m_rule);
    accept();
}

} // namespace sumiplex::ui
