#include "ui/tools/datetime/dialog_time.h"

#include "core/tools/datetime/time_calc.h"
#include "platform/settings_keys.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/widget_helpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

QString fromU16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* unitList(QWidget* parent, const char* name) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

QTimeEdit* timePicker(QWidget* parent, const char* name) {
    auto* picker = named(new QTimeEdit(QTime(0, 0), parent), name);
    // Qt's "hh" is the 24-hour hour here, as there is no AM/PM part.
    picker->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    return picker;
}

datetime::TimeOfDay timeOf(const QTimeEdit& picker) {
    const QTime t = picker.time();
    return {t.hour(), t.minute(), t.second()};
}

} // namespace

DialogTime::DialogTime(ToolLinks links, QWidget* parent)
    : ToolWindow(links.settings, {platform::kTimeLeft, platform::kTimeTop}, Closing::Unloads,
                 parent),
      m_links(std::move(links)) {
    setObjectName(QStringLiteral("DialogTime"));
    setWindowTitle(QStringLiteral("時間計算"));
    applyToolFont(*this);
    buildControls();
    nameForScreenReaders(*this, {{"DTPicker1", "開始時刻"},
                                 {"DTPicker2", "終了時刻"},
                                 {"Text1", "換算する時間"},
                                 {"Combo2", "換算前の単位"},
                                 {"Combo3", "換算後の単位"},
                                 {"OKButton", "閉じる"}});
    describeForScreenReaders(*this, {{"Label5", "経過時間"}, {"Label7", "換算した時間"}});
    layOutControls();
    Form_Load();
    connectControls();
}

void DialogTime::buildControls() {
    Frame1 = named(new QGroupBox(QStringLiteral("経過時間の計算"), this), "Frame1");
    Label2 = named(new QLabel(QStringLiteral("開始時刻(&S)"), Frame1), "Label2");
    DTPicker1 = timePicker(Frame1, "DTPicker1");
    Label2->setBuddy(DTPicker1);
    Label3 = named(new QLabel(QStringLiteral("終了時刻(&E)"), Frame1), "Label3");
    DTPicker2 = timePicker(Frame1, "DTPicker2");
    Label3->setBuddy(DTPicker2);

    Frame2 = named(new QGroupBox(QStringLiteral("時間の換算"), this), "Frame2");
    Label6 = named(new QLabel(QStringLiteral("時間(&T)"), Frame2), "Label6");
    Text1 = named(new QLineEdit(QStringLiteral("0"), Frame2), "Text1");
    Text1->setAlignment(Qt::AlignRight);
    Label6->setBuddy(Text1);
    Combo2 = unitList(Frame2, "Combo2");
    Combo3 = unitList(Frame2, "Combo3");
    Label5 = named(new ClickableLabel(Frame2), "Label5");
    Label5->setCursor(Qt::PointingHandCursor);
    Label7 = named(new QLabel(Frame2), "Label7");
    Command1 = memoButton(Frame2, "Command1");
    keepPlaceWhenHidden(Command1);

    OKButton = named(new QPushButton(QStringLiteral("close"), this), "OKButton");
}

void DialogTime::layOutControls() {
    auto* times = new QGridLayout(Frame1);
    times->addWidget(Label2, 0, 0);
    times->addWidget(DTPicker1, 0, 1);
    times->addWidget(Label3, 1, 0);
    times->addWidget(DTPicker2, 1, 1);
    times->setColumnStretch(2, 1);

    auto* units = new QGridLayout(Frame2);
    units->addWidget(Label6, 0, 0);
    units->addWidget(Text1, 0, 1);
    units->addWidget(Combo2, 0, 2);
    units->addWidget(new QLabel(QStringLiteral("→"), Frame2), 0, 3);
    units->addWidget(Combo3, 0, 4);
    units->addWidget(Label5, 1, 0, 1, 5);
    units->addWidget(Command1, 1, 5);
    units->addWidget(Label7, 2, 0, 1, 5);
    units->setColumnStretch(1, 1);
    // Room for a long result line, so it is never cut off.
    units->setColumnMinimumWidth(
        1, Label5->fontMetrics().horizontalAdvance(QStringLiteral("0.0000000000000000000")));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addLayout(buttons);
}

void DialogTime::connectControls() {
    connect(DTPicker1, &QTimeEdit::timeChanged, this, &DialogTime::elapsedTime);
    connect(DTPicker2, &QTimeEdit::timeChanged, this, &DialogTime::elapsedTime);
    connect(Text1, &QLineEdit::textChanged, this, &DialogTime::convert);
    // Typing into a list and choosing from it both change its current text.
    connect(Combo2, &QComboBox::currentTextChanged, this, &DialogTime::convert);
    connect(Combo3, &QComboBox::currentTextChanged, this, &DialogTime::convert);
    connect(Label5, &ClickableLabel::clicked, this, &DialogTime::Label5_Click);
    connect(Command1, &QPushButton::clicked, this, &DialogTime::Command1_Click);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
}

void DialogTime::Form_Load() {
    restorePosition();
    for (QComboBox* combo : {Combo2, Combo3}) {
        for (const std::u16string_view unit : datetime::kTimeUnitNames)
            combo->addItem(fromU16(unit));
        combo->setCurrentText(fromU16(datetime::kTimeUnitNames[0]));
    }
    Label5->clear();
    Label7->clear();
}

void DialogTime::elapsedTime() {
    const datetime::Elapsed e = datetime::elapsedTime(timeOf(*DTPicker1), timeOf(*DTPicker2));
    // The elapsed time is hours: the source unit follows, so it is never read as minutes.
    {
        const QSignalBlocker quietUnit(Combo2);
        const QSignalBlocker quietText(Text1);
        Combo2->setCurrentText(fromU16(datetime::kTimeUnitNames[0]));
        Text1->setText(QString::fromStdU16String(datetime::elapsedHoursText(e)));
    }
    convert();
}

void DialogTime::convert() {
    const datetime::TimeConversion c = datetime::convertTimeText(
        Text1->text().toStdU16String(), Combo2->currentText().toStdU16String(),
        Combo3->currentText().toStdU16String());
    Label5->setText(QString::fromStdU16String(c.resultLine));
    Label7->setText(QString::fromStdU16String(c.breakdown));
    if (!c.resultLine.empty())
        Command1->show();
}

void DialogTime::Label5_Click() {
    if (Label5->text().isEmpty())
        return;
    const datetime::TimeConversion c = datetime::convertTimeText(
        Text1->text().toStdU16String(), Combo2->currentText().toStdU16String(),
        Combo3->currentText().toStdU16String());
    if (c.converted)
        m_links.replaceInputLine(QString::fromStdU16String(c.converted->toPlainString()),
                                 InputLineFocus::LeaveFocus);
}

void DialogTime::Command1_Click() {
    if (Label5->text().isEmpty())
        return;
    // Result line, breakdown and an empty line; the memo ends the piece with the last.
    m_links.appendMemo(Label5->text() + QStringLiteral("\r\n") + Label7->text() +
                       QStringLiteral("\r\n"));
    Command1->hide();
    // The memo pad stays in view behind this window, which keeps the keyboard.
    activateWindow();
    OKButton->setFocus();
}

} // namespace sumiplex::ui
