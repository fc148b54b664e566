#include "ui/dialogs/frm_about.h"

#include "core/options/options.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "ui/dialogs/build_version.h"
#include "ui/picture/picture_file.h"
#include "ui/widgets/clickable_label.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

const QString kTitle = QStringLiteral("Sumiplex");
const QString kCaptionTail = QStringLiteral(" ﾊﾞｰｼﾞｮﾝ情報 ");
const QString kNoSystemInformation = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");
constexpr int kIconSize = 48;
constexpr int kPictureWidth = 120;

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

frmAbout::frmAbout(const QString& mainCaption, platform::Shell& shell,
                   platform::MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), m_shell(shell), m_messages(messages) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowTitle(mainCaption + kCaptionTail);
    buildControls(mainCaption);
    layOut();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(Label4, &ClickableLabel::clicked, this, &frmAbout::Label4_Click);
    cmdOK->setDefault(true);
    cmdOK->setFocus();
}

void frmAbout::buildControls(const QString& mainCaption) {
    Image1 = label(this, "Image1", QString());
    Image1->setPixmap(applicationIcon().pixmap(kIconSize, kIconSize));
    Image2 = label(this, "Image2", QString());
    Image2->setPixmap(builtInPicture().scaledToWidth(kPictureWidth, Qt::SmoothTransformation));

    lblTitle = label(this, "lblTitle", kTitle);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    const options::Version version{build::kVersionMajor, build::kVersionMinor,
                                   build::kVersionRevision};
    lblVersion = label(
        this, "lblVersion",
        QString::fromStdU16String(options::versionLine(mainCaption.toStdU16String(), version)));
    lblDescription =
        label(this, "lblDescription", QStringLiteral("Velquor オリジナルの加算機式電卓です。"));
    Label1 = label(this, "Label1", QStringLiteral("Copyright (C) Velquor. All rights reserved."));
    Label2 = label(this, "Label2", QStringLiteral("Presents by Velquor"));
    Label3 = label(this, "Label3", QStringLiteral("Velquor Web :"));

    Label4 = new ClickableLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setTextFormat(Qt::PlainText);
    Label4->setText(platform::projectPage().toString());
    Label4->setCursor(Qt::PointingHandCursor);
    QFont link = Label4->font();
    link.setUnderline(true);
    Label4->setFont(link);
    QPalette linkInk = Label4->palette();
    linkInk.setColor(QPalette::WindowText, linkInk.color(QPalette::Link));
    Label4->setPalette(linkInk);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
}

void frmAbout::layOut() {
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(6);
    texts->addWidget(lblDescription);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    top->addWidget(Image2, 0, Qt::AlignTop);

    auto* web = new QHBoxLayout;
    web->addWidget(Label3);
    web->addWidget(Label4);
    web->addStretch(1);
    auto* credits = new QVBoxLayout;
    credits->addWidget(Label1);
    credits->addWidget(Label2);
    credits->addLayout(web);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(credits, 1);
    bottom->addLayout(buttons);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rule);
    layout->addLayout(bottom);
}

void frmAbout::cmdSysInfo_Click() {
    // The about box stays open whether or not a program started.
    if (!m_shell.startSystemInformation())
        m_messages.information(this, kNoSystemInformation, kTitle);
}

void frmAbout::Label4_Click() {
    // A desktop without a browser leaves the box as it is.
    (void)platform::openProjectPage(m_shell);
}

} // namespace sumiplex::ui
