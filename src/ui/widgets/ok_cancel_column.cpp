#include "ui/widgets/ok_cancel_column.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

OkCancelButtons makeOkCancelButtons(QDialog& dialog) {
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), &dialog);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return {ok, cancel};
}

QVBoxLayout* okCancelColumn(const OkCancelButtons& buttons) {
    auto* column = new QVBoxLayout;
    column->addWidget(buttons.ok);
    column->addWidget(buttons.cancel);
    column->addStretch(1);
    return column;
}

} // namespace sumiplex::ui
