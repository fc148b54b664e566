#include "ui/dialogs/frm_tip1.h"

#include "ui/picture/picture_file.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

constexpr int kTextWidth = 360;

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

QLabel* heading(QWidget* parent, const char* name, const QString& text) {
    QLabel* l = label(parent, name, text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

frmTip1::frmTip1(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmTip1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Sumiplex"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(guidePicture());
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    Label2 = heading(this, "Label2", QStringLiteral("単純な計算をする"));
    Label3 = label(this, "Label3",
                   QStringLiteral("テキストに最初の数値を入力し「ENTER」を入力します。　"));
    Label4 = label(this, "Label4",
                   QStringLiteral("加算の場合は、数値を入力し「ENTER」を入力します。減算の場合は、"
                                  "数値を入力し「－」を入力します。乗算・除算の場合も同様に「*・/"
                                  "」を入力します。"));
    Label8 =
        label(this, "Label8", QStringLiteral("一つの数式を入力して乗算・除算する事ができます。"));
    Label1 = label(this, "Label1",
                   QStringLiteral("計算結果は合計に加算されます。電卓のメモリー機能と同様です。"));
    Label5 = heading(this, "Label5", QStringLiteral("％の計算をする"));
    Label10 =
        label(this, "Label10",
              QStringLiteral("数値％は、TOTALの数値％を計算します。また、数値％「＋」/「－」は"
                             "TOTALの数値％をTOTALに加算/減算します。"));
    Label7 =
        label(this, "Label7",
              QStringLiteral("数値・TOTALをクリアするには、「AC」をクリックするか、「Alt＋C」を"
                             "入力します。　また「SPACE」「ENTER」を入力する事でもクリアでき"
                             "ます。"));
    Label9 = label(this, "Label9", QString());
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);

    auto* texts = new QVBoxLayout;
    for (QLabel* l : {Label2, Label3, Label4, Label8, Label1}) {
        l->setFixedWidth(kTextWidth);
        texts->addWidget(l);
    }
    texts->addSpacing(8);
    for (QLabel* l : {Label5, Label10, Label7}) {
        l->setFixedWidth(kTextWidth);
        texts->addWidget(l);
    }
    texts->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(Image1);
    body->addLayout(texts, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label9, 1);
    bottom->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
}

void frmTip1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit unloaded();
}

void frmTip1::setCredit(const QString& credit) {
    Label9->setText(credit);
}

} // namespace sumiplex::ui
