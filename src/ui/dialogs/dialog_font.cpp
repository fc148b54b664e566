#include "ui/dialogs/dialog_font.h"

#include "core/options/options.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/ok_cancel_column.h"
#include "ui/widgets/widget_helpers.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace sumiplex::ui {

namespace {

const QString kBackColourTitle = QStringLiteral("　　フォームの色を設定");
const QString kAccentTitle = QStringLiteral("　　文字色の設定");
const QString kInputFontTitle = QStringLiteral("  フォントの設定");
const QString kSizedFontTitle = QStringLiteral("　　フォントの設定");
constexpr int kSizeBoxWidth = 56;

QLineEdit* preview(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* edit = named(new QLineEdit(text, parent), name);
    // A preview shows; a click on it opens the picker that changes it.
    edit->setReadOnly(true);
    edit->setCursor(Qt::PointingHandCursor);
    return edit;
}

/// `base` with the family, bold and italic of `face`; its size stays.
QFont withFace(QFont base, const QFont& face) {
    base.setFamily(face.family());
    base.setBold(face.bold());
    base.setItalic(face.italic());
    return base;
}

QString fromCore(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

float pointsOf(const QFont& font) {
    return static_cast<float>(font.pointSizeF());
}

bool isActivation(const QWidget& target, const QEvent& event) {
    if (event.type() == QEvent::MouseButtonRelease) {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        return mouse.button() == Qt::LeftButton &&
               target.rect().contains(mouse.position().toPoint());
    }
    // The keyboard reaches every picker too.
    return event.type() == QEvent::KeyPress &&
           static_cast<const QKeyEvent&>(event).key() == Qt::Key_Space;
}

} // namespace

DialogFont::DialogFont(const WindowLooks& current, QString mainCaption,
                       platform::PickerDialogs& pickers, Apply apply, QWidget* parent)
    : QDialog(parent), m_current(current), m_mainCaption(std::move(mainCaption)),
      m_pickers(pickers), m_apply(std::move(apply)), m_backValue(current.windowBack),
      m_accentValue(current.accent) {
    setObjectName(QStringLiteral("DialogFont"));
    setModal(true);
    setWindowTitle(QStringLiteral("ｵﾌﾟｼｮﾝ"));
    buildControls();
    layOut();
    fillPreviews();

    for (QLineEdit* clickable : {Text1, Text2, Text3, Text6, Text7})
        clickable->installEventFilter(this);
    connect(Option1, &QRadioButton::clicked, this, &DialogFont::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &DialogFont::Option2_Click);
    connect(OKButton, &QPushButton::clicked, this, &DialogFont::OKButton_Click);
}

void DialogFont::buildControls() {
    Frame5 = named(new QGroupBox(QStringLiteral("フォームの色(&C)"), this), "Frame5");
    Option1 = named(new QRadioButton(QStringLiteral("既定値"), Frame5), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("お薦め"), Frame5), "Option2");
    Text6 = preview(Frame5, "Text6", QStringLiteral("Back Color"));
    Text7 = preview(Frame5, "Text7", QStringLiteral("Color"));
    Text8 = named(new QLineEdit(Frame5), "Text8");
    Text9 = named(new QLineEdit(Frame5), "Text9");
    Text8->hide();
    Text9->hide();

    Frame1 = named(new QGroupBox(QStringLiteral("フォントの設定"), this), "Frame1");
    Frame2 = named(new QGroupBox(QStringLiteral("計算フォームの表示(&F)"), Frame1), "Frame2");
    Text1 = preview(Frame2, "Text1");
    Frame3 = named(new QGroupBox(QStringLiteral("計算履歴の表示(&T)"), Frame1), "Frame3");
    Text2 = preview(Frame3, "Text2");
    Text4 = named(new QLineEdit(Frame3), "Text4");
    Frame4 = named(new QGroupBox(QStringLiteral("メモ帳の表示(&M)"), Frame1), "Frame4");
    Text3 = preview(Frame4, "Text3");
    Text5 = named(new QLineEdit(Frame4), "Text5");
    for (QLineEdit* size : {Text4, Text5})
        size->setFixedWidth(kSizeBoxWidth);

    const OkCancelButtons buttons = makeOkCancelButtons(*this);
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;
    nameForScreenReaders(
        *this, {{"Text6", "背景色", "スペースキーかクリックで色を選びます"},
                {"Text7", "合計の文字の色", "スペースキーかクリックで色を選びます"},
                {"Text1", "入力欄のフォント", "スペースキーかクリックでフォントを選びます"},
                {"Text2", "計算履歴のフォント", "スペースキーかクリックでフォントを選びます"},
                {"Text4", "計算履歴の文字サイズ"},
                {"Text3", "メモ帳のフォント", "スペースキーかクリックでフォントを選びます"},
                {"Text5", "メモ帳の文字サイズ"}});
}

void DialogFont::layOut() {
    auto* colours = new QGridLayout(Frame5);
    colours->addWidget(Option1, 0, 0);
    colours->addWidget(Option2, 1, 0);
    colours->addWidget(Text6, 0, 1);
    colours->addWidget(Text7, 1, 1);
    colours->setColumnStretch(1, 1);

    (new QHBoxLayout(Frame2))->addWidget(Text1);
    auto* history = new QHBoxLayout(Frame3);
    history->addWidget(Text2, 1);
    history->addWidget(Text4);
    auto* memo = new QHBoxLayout(Frame4);
    memo->addWidget(Text3, 1);
    memo->addWidget(Text5);
    auto* fonts = new QVBoxLayout(Frame1);
    fonts->addWidget(Frame2);
    fonts->addWidget(Frame3);
    fonts->addWidget(Frame4);

    auto* left = new QVBoxLayout;
    left->addWidget(Frame5);
    left->addWidget(Frame1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(okCancelColumn({OKButton, CancelButton}));
    resize(440, 360);
}

void DialogFont::fillPreviews() {
    setPreviewColour(Text6, Text8, m_backValue);
    Text1->setFont(withFace(Text1->font(), m_current.input));
    QPalette ink = Text1->palette();
    const QColor accent = platform::colourFromValue(m_current.accent, palette());
    ink.setColor(QPalette::Text, accent);
    ink.setColor(QPalette::WindowText, accent);
    Text1->setPalette(ink);
    setPreviewColour(Text7, Text9, m_accentValue);
    Text1->setText(m_current.input.family());
    Text2->setFont(withFace(Text2->font(), m_current.history));
    showSize(Text2, Text4, m_current.history);
    Text3->setFont(withFace(Text3->font(), m_current.memo));
    showSize(Text3, Text5, m_current.memo);
}

void DialogFont::setPreviewColour(QLineEdit* preview, QLineEdit* valueBox, std::int32_t value) {
    const QColor colour = platform::colourFromValue(value, palette());
    QPalette p = preview->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    preview->setPalette(p);
    preview->setBackgroundRole(QPalette::Base);
    valueBox->setText(QString::number(value));
}

void DialogFont::showSize(QLineEdit* preview, QLineEdit* sizeBox, const QFont& font) {
    preview->setText(
        fromCore(options::fontPreviewText(font.family().toStdU16String(), pointsOf(font))));
    sizeBox->setText(fromCore(options::formatFontSize(pointsOf(font))));
}

bool DialogFont::eventFilter(QObject* watched, QEvent* event) {
    auto* target = qobject_cast<QLineEdit*>(watched);
    if (!target || !isActivation(*target, *event))
        return QDialog::eventFilter(watched, event);
    if (target == Text6)
        Text6_Click();
    else if (target == Text7)
        Text7_Click();
    else if (target == Text1)
        Text1_Click();
    else if (target == Text2)
        Text2_Click();
    else if (target == Text3)
        Text3_Click();
    return event->type() == QEvent::KeyPress;
}

void DialogFont::Option1_Click() {
    const options::PresetColours preset = options::presetColours(options::ColourPreset::Defaults);
    m_backValue = preset.windowBack;
    m_accentValue = preset.accent;
    setPreviewColour(Text6, Text8, m_backValue);
    setPreviewColour(Text7, Text9, m_accentValue);
}

void DialogFont::Option2_Click() {
    const options::PresetColours preset =
        options::presetColours(options::ColourPreset::Recommended);
    m_backValue = preset.windowBack;
    m_accentValue = preset.accent;
    setPreviewColour(Text6, Text8, m_backValue);
    setPreviewColour(Text7, Text9, m_accentValue);
}

void DialogFont::Text6_Click() {
    pickColour(Text6, Text8, m_backValue, kBackColourTitle);
}

void DialogFont::Text7_Click() {
    pickColour(Text7, Text9, m_accentValue, kAccentTitle);
}

void DialogFont::pickColour(QLineEdit* preview, QLineEdit* valueBox, std::int32_t& value,
                            const QString& titleTail) {
    const std::optional<QColor> picked = m_pickers.getColour(
        this, m_mainCaption + titleTail, platform::colourFromValue(value, palette()));
    if (!picked)
        return;
    value = platform::valueFromColour(*picked);
    setPreviewColour(preview, valueBox, value);
    Text1->setFocus();
}

void DialogFont::Text1_Click() {
    const std::optional<QFont> picked =
        m_pickers.getFont(this, m_mainCaption + kInputFontTitle, Text1->font());
    if (!picked)
        return;
    Text1->setFont(withFace(Text1->font(), *picked));
    Text1->setText(picked->family());
    Text7->setFocus();
}

void DialogFont::Text2_Click() {
    pickSizedFont(Text2, Text4, pointsOf(m_current.history));
}

void DialogFont::Text3_Click() {
    pickSizedFont(Text3, Text5, pointsOf(m_current.memo));
}

void DialogFont::pickSizedFont(QLineEdit* preview, QLineEdit* sizeBox, float liveSize) {
    // A size box holding no size opens the picker at the size the window has.
    const float size = options::parseFontSize(sizeBox->text().toStdU16String()).value_or(liveSize);
    QFont initial = preview->font();
    initial.setPointSizeF(size);
    const std::optional<QFont> picked =
        m_pickers.getFont(this, m_mainCaption + kSizedFontTitle, initial);
    if (!picked)
        return;
    preview->setFont(withFace(preview->font(), *picked));
    QFont shown = *picked;
    // A font the picker gives in pixels has no point size; the size stays.
    if (!(shown.pointSizeF() > options::kMinFontPoints &&
          shown.pointSizeF() < options::kMaxFontPoints))
        shown.setPointSizeF(size);
    showSize(preview, sizeBox, shown);
}

void DialogFont::OKButton_Click() {
    WindowLooks chosen = m_current;
    chosen.windowBack = m_backValue;
    chosen.accent = m_accentValue;
    chosen.input = withFace(m_current.input, Text1->font());
    chosen.history = withFace(m_current.history, Text2->font());
    const auto historySize = options::parseFontSize(Text4->text().toStdU16String());
    if (historySize)
        chosen.history.setPointSizeF(*historySize);
    const auto memoSize = options::parseFontSize(Text5->text().toStdU16String());
    if (historySize) {
        chosen.memo = withFace(m_current.memo, Text3->font());
        if (memoSize)
            chosen.memo.setPointSizeF(*memoSize);
    }
    // The steps up to a size that is no size are applied; that size and everything after it
    // stay as the windows have them, and the dialog stays open showing so.
    m_apply(chosen);
    m_current = chosen;
    if (historySize && memoSize) {
        accept();
        return;
    }
    QLineEdit* refused = historySize ? Text5 : Text4;
    showSize(historySize ? Text3 : Text2, refused, historySize ? chosen.memo : chosen.history);
    refused->setFocus();
    refused->selectAll();
}

} // namespace sumiplex::ui
