#include "ui/mainwindow/dialog_doll.h"

#include "core/engine/currency.h"
#include "ui/widgets/ok_cancel_column.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sumiplex::ui {

DialogDoll::DialogDoll(double rate, QWidget* parent) : QDialog(parent), m_rate(rate) {
    setObjectName(QStringLiteral("DialogDoll"));
    setModal(true);
    setWindowTitle(QStringLiteral("為替レートの設定"));

    Frame3 = new QGroupBox(QStringLiteral("為替レートの設定"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Label2 = new QLabel(QStringLiteral("１ドルの円貨(&D)"), Frame3);
    Label2->setObjectName(QStringLiteral("Label2"));
    Text2 = new QLineEdit(QString::fromStdU16String(engine::plainRateText(rate)), Frame3);
    Text2->setObjectName(QStringLiteral("Text2"));
    Label2->setBuddy(Text2);
    Text2->setCursorPosition(static_cast<int>(Text2->text().size()));
    const OkCancelButtons buttons = makeOkCancelButtons(*this);
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;

    auto* row = new QHBoxLayout(Frame3);
    row->addWidget(Label2);
    row->addWidget(Text2, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame3, 1);
    layout->addLayout(okCancelColumn(buttons));

    connect(OKButton, &QPushButton::clicked, this, &DialogDoll::OKButton_Click);
    Text2->setFocus();
}

void DialogDoll::OKButton_Click() {
    if (Text2->text().isEmpty())
        Text2->setText(QStringLiteral("1"));
    m_rate = engine::exchangeRateFromText(Text2->text().toStdU16String(), m_rate);
    accept();
}

} // namespace sumiplex::ui
