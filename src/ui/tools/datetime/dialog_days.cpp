#include "ui/tools/datetime/dialog_days.h"

#include "core/tools/datetime/era.h"
#include "platform/clock.h"
#include "platform/settings_keys.h"
#include "ui/tools/datetime/tool_window.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/spin_button.h"
#include "ui/widgets/widget_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

// The spin buttons step era years from 1 (an era's first year) up to 100.
constexpr int kLowestEraYear = 1;
constexpr int kHighestEraYear = 100;

// Shown under a business-day result that reaches days whose holidays are not worked out.
constexpr std::u16string_view kHolidayRangeNote = u"※祝日は 1948/07/20〜2099/12/31 のみ";

QString fromU16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* eraList(QWidget* parent, const char* name) {
    auto* combo = named(new QComboBox(parent), name);
    for (const std::u16string_view era : datetime::kEraNames)
        combo->addItem(fromU16(era));
    return combo;
}

} // namespace

DialogDays::DialogDays(ToolLinks links, QWidget* parent)
    : ToolWindow(links.settings, {platform::kBrthLeft, platform::kBrthTop}, Closing::Unloads,
                 parent),
      m_links(std::move(links)) {
    setObjectName(QStringLiteral("DialogDays"));
    setWindowTitle(QStringLiteral("日数計算・年齢計算"));
    applyToolFont(*this);
    buildControls();
    nameForScreenReaders(*this, {{"Combo1", "元号"},
                                 {"Combo2", "元号（二つ目）"},
                                 {"Text39", "和暦の年", "西暦に変換する和暦の年"},
                                 {"UpDown1", "和暦の年を増減"},
                                 {"Text3", "和暦の年（二つ目）", "西暦に変換する和暦の年"},
                                 {"UpDown2", "和暦の年を増減（二つ目）"},
                                 {"DTPicker1", "開始日", "日数を数える最初の日"},
                                 {"DTPicker2", "終了日", "日数を数える最後の日"},
                                 {"Text1", "日数", "開始日から終了日までの日数"},
                                 {"DTPicker3", "基準日", "日数を足す日付"},
                                 {"Text2", "加える日数"},
                                 {"OKButton", "閉じる"}});
    describeForScreenReaders(*this, {{"Label44", "西暦の年"},
                                     {"Label6", "西暦の年（二つ目）"},
                                     {"Label1", "日数の結果"},
                                     {"Label7", "年齢"},
                                     {"LabelBusiness", "営業日数"},
                                     {"Label5", "計算した日付"},
                                     {"LabelWeekday", "計算した日付の曜日"}});
    layOutControls();
    connectControls();
    Form_Load();
}

void DialogDays::buildControls() {
    const QDate today = m_links.clock.now().date();

    Frame1 = named(new QGroupBox(QStringLiteral("西暦に変換(&C)"), this), "Frame1");
    Combo1 = eraList(Frame1, "Combo1");
    Text39 = named(new QLineEdit(Frame1), "Text39");
    UpDown1 = named(new SpinButton(*Text39, kLowestEraYear, kHighestEraYear, Frame1), "UpDown1");
    Label44 = named(new QLabel(QStringLiteral("2000"), Frame1), "Label44");
    Combo2 = eraList(Frame1, "Combo2");
    Text3 = named(new QLineEdit(Frame1), "Text3");
    UpDown2 = named(new SpinButton(*Text3, kLowestEraYear, kHighestEraYear, Frame1), "UpDown2");
    Label6 = named(new QLabel(QStringLiteral("2000"), Frame1), "Label6");
    for (QLineEdit* year : {Text39, Text3}) {
        year->setAlignment(Qt::AlignRight);
        year->setMaximumWidth(year->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    }

    Frame2 = named(new QGroupBox(QStringLiteral("日数計算(&T)"), this), "Frame2");
    DTPicker1 = named(new QDateEdit(Frame2), "DTPicker1");
    Label2 = named(new QLabel(QStringLiteral(" -"), Frame2), "Label2");
    DTPicker2 = named(new QDateEdit(Frame2), "DTPicker2");
    for (QDateEdit* picker : {DTPicker1, DTPicker2})
        setUpDatePicker(*picker, today);
    Text1 = named(new QLineEdit(Frame2), "Text1");
    // Written by the calculation only: what the memo and the tape receive is what it shows.
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignRight);
    Label1 = named(new ClickableLabel(Frame2), "Label1");
    Label1->setCursor(Qt::PointingHandCursor);
    Command2 = memoButton(Frame2, "Command2");
    Label7 = named(new QLabel(Frame2), "Label7");
    LabelBusiness = named(new QLabel(Frame2), "LabelBusiness");
    CheckYearEnd = named(new QCheckBox(QStringLiteral("年末年始を除く"), Frame2), "CheckYearEnd");
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Command2),
                       static_cast<QWidget*>(Label7), static_cast<QWidget*>(LabelBusiness)})
        keepPlaceWhenHidden(w);

    Frame3 = named(new QGroupBox(QStringLiteral("日付の計算(&D)"), this), "Frame3");
    DTPicker3 = named(new QDateEdit(Frame3), "DTPicker3");
    setUpDatePicker(*DTPicker3, today);
    Label3 = named(new QLabel(QStringLiteral("＋"), Frame3), "Label3");
    Text2 = named(new QLineEdit(Frame3), "Text2");
    Text2->setAlignment(Qt::AlignRight);
    Label4 = named(new QLabel(QStringLiteral("日 ＝"), Frame3), "Label4");
    Label5 = named(new QLabel(Frame3), "Label5");
    LabelWeekday = named(new QLabel(Frame3), "LabelWeekday");
    // Room for any date and weekday, so that the window keeps its size as they change.
    Label5->setMinimumWidth(Label5->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")));
    LabelWeekday->setMinimumWidth(
        LabelWeekday->fontMetrics().horizontalAdvance(QStringLiteral("(水)")));
    CheckBusiness = named(new QCheckBox(QStringLiteral("営業日で"), Frame3), "CheckBusiness");

    LabelHolidayRange = named(new QLabel(fromU16(kHolidayRangeNote), this), "LabelHolidayRange");
    keepPlaceWhenHidden(LabelHolidayRange);

    OKButton = named(new QPushButton(QStringLiteral("close"), this), "OKButton");
}

void DialogDays::layOutControls() {
    auto* rows = new QGridLayout(Frame1);
    const auto addRow = [&](int r, QComboBox* era, QLineEdit* year, SpinButton* spin,
                            QLabel* western) {
        rows->addWidget(era, r, 0);
        auto* yearBox = new QHBoxLayout;
        yearBox->setSpacing(0);
        yearBox->addWidget(year);
        yearBox->addWidget(spin);
        rows->addLayout(yearBox, r, 1);
        rows->addWidget(new QLabel(QStringLiteral("年 → 西暦"), Frame1), r, 2);
        rows->addWidget(western, r, 3);
        rows->addWidget(new QLabel(QStringLiteral("年"), Frame1), r, 4);
    };
    addRow(0, Combo1, Text39, UpDown1, Label44);
    addRow(1, Combo2, Text3, UpDown2, Label6);
    rows->setColumnStretch(5, 1);

    auto* span = new QVBoxLayout(Frame2);
    auto* dates = new QHBoxLayout;
    dates->addWidget(DTPicker1);
    dates->addWidget(Label2);
    dates->addWidget(DTPicker2);
    dates->addWidget(Text1);
    span->addLayout(dates);
    auto* result = new QHBoxLayout;
    result->addWidget(Label1, 1);
    result->addWidget(Command2);
    span->addLayout(result);
    auto* business = new QHBoxLayout;
    business->addWidget(LabelBusiness, 1);
    business->addWidget(CheckYearEnd);
    span->addLayout(business);
    span->addWidget(Label7);

    auto* plusRows = new QVBoxLayout(Frame3);
    auto* plus = new QHBoxLayout;
    plus->addWidget(DTPicker3);
    plus->addWidget(Label3);
    plus->addWidget(Text2);
    plus->addWidget(Label4);
    plus->addWidget(Label5);
    plus->addWidget(LabelWeekday, 1);
    plusRows->addLayout(plus);
    plusRows->addWidget(CheckBusiness);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LabelHolidayRange);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addWidget(Frame3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DialogDays::connectControls() {
    connect(Combo1, &QComboBox::currentIndexChanged, this,
            [this] { convertEraRow(Row::First, EmptyYear::Stop); });
    connect(Text39, &QLineEdit::textChanged, this,
            [this] { convertEraRow(Row::First, EmptyYear::Stop); });
    // A choice in the second list recomputes the span even with no era year to convert.
    connect(Combo2, &QComboBox::currentIndexChanged, this,
            [this] { convertEraRow(Row::Second, EmptyYear::Recalculate); });
    connect(Text3, &QLineEdit::textChanged, this,
            [this] { convertEraRow(Row::Second, EmptyYear::Stop); });
    connect(DTPicker1, &QDateEdit::dateChanged, this, &DialogDays::RecalcDays);
    connect(DTPicker2, &QDateEdit::dateChanged, this, &DialogDays::RecalcDays);
    connect(DTPicker3, &QDateEdit::dateChanged, this, &DialogDays::addDays);
    connect(Text2, &QLineEdit::textChanged, this, &DialogDays::addDays);
    connect(CheckBusiness, &QCheckBox::toggled, this, &DialogDays::addDays);
    connect(CheckYearEnd, &QCheckBox::toggled, this, &DialogDays::CheckYearEnd_Click);
    connect(Label1, &ClickableLabel::clicked, this, &DialogDays::Label1_Click);
    connect(Command2, &QPushButton::clicked, this, &DialogDays::Command2_Click);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
}

void DialogDays::Form_Load() {
    restorePosition();
    // Both rows start on the era of today, so each picker first takes the current year.
    const datetime::EraYear start = datetime::startingEraYear(toDate(m_links.clock.now().date()));
    for (const auto& [combo, year] : {std::pair{Combo1, Text39}, std::pair{Combo2, Text3}}) {
        {
            const QSignalBlocker quiet(combo);
            combo->setCurrentText(fromU16(start.era));
        }
        year->setText(QString::number(start.year));
    }
    Label7->hide();
    {
        const QSignalBlocker quiet(CheckYearEnd);
        CheckYearEnd->setChecked(platform::readSetting(m_links.settings, platform::kDaysYearEnd));
    }
    LabelBusiness->hide();
    LabelHolidayRange->hide();
}

void DialogDays::prepare(datetime::DaysMode mode, const QDate& calendarDate, const QDate& today,
                         const std::optional<QString>& total) {
    Frame2->setTitle(fromU16(mode == datetime::DaysMode::Age ? datetime::kAgeCaption
                                                             : datetime::kDayCountCaption));
    // A calendar date the pickers cannot hold leaves them as they are.
    const auto pick = [](QDateEdit* picker, const QDate& date) {
        if (date.isValid() && datetime::isPickable(toDate(date)))
            picker->setDate(date);
    };
    pick(DTPicker1, calendarDate);
    pick(DTPicker2, today);
    pick(DTPicker3, calendarDate);
    if (mode == datetime::DaysMode::DayCount && total)
        Text2->setText(*total);
    RecalcDays();
}

datetime::DaysMode DialogDays::mode() const {
    return datetime::modeFromCaption(Frame2->title().toStdU16String());
}

datetime::YearEndDays DialogDays::yearEnd() const {
    return CheckYearEnd->isChecked() ? datetime::YearEndDays::Closed : datetime::YearEndDays::Open;
}

DialogDays::PastedResult DialogDays::resultShown() const {
    // Age mode writes no business days, so the year-end rule changes nothing it pastes.
    const datetime::DaysMode shownMode = mode();
    return {toDate(DTPicker1->date()), toDate(DTPicker2->date()), shownMode,
            shownMode == datetime::DaysMode::Age ? datetime::YearEndDays::Open : yearEnd()};
}

void DialogDays::RecalcDays() {
    const datetime::Date first = toDate(DTPicker1->date());
    const datetime::Date second = toDate(DTPicker2->date());
    m_span = datetime::RecalcDays(first, second);
    Text1->setText(QString::number(m_span.dayCount));
    const bool someDays = m_span.dayCount != 0;
    if (m_pasted && *m_pasted != resultShown())
        m_pasted.reset();
    Label1->setVisible(someDays);
    Command2->setVisible(someDays && !m_pasted);
    Label1->setText(QString::fromStdU16String(datetime::resultLine(m_span, mode())));
    Label7->setText(QString::fromStdU16String(datetime::eraLine(first, second)));
    Label7->show();
    showBusinessDays();
}

void DialogDays::showBusinessDays() {
    m_business = datetime::businessDaysBetween(toDate(DTPicker1->date()), toDate(DTPicker2->date()),
                                               yearEnd());
    LabelBusiness->setText(QString::fromStdU16String(datetime::businessLabel(m_business.days)));
    QString rule =
        QStringLiteral("土曜・日曜・祝日を除いた日数です。前の日付は数えず、後の日付を数えます。");
    if (yearEnd() == datetime::YearEndDays::Closed)
        rule += QStringLiteral("年末年始 (12/29〜1/3) も除きます。");
    LabelBusiness->setToolTip(rule);
    // An age has no use for business days; a span of no days has none.
    LabelBusiness->setVisible(mode() == datetime::DaysMode::DayCount && m_span.dayCount != 0);
    showHolidayRange();
}

void DialogDays::showHolidayRange() {
    const bool countReaches = !LabelBusiness->isHidden() && !m_business.holidaysKnown;
    LabelHolidayRange->setVisible(countReaches || m_plusHolidaysUnknown);
}

void DialogDays::CheckYearEnd_Click() {
    platform::writeTruth(m_links.settings, platform::kDaysYearEnd.key, CheckYearEnd->isChecked());
    RecalcDays();
    addDays();
}

void DialogDays::convertEraRow(Row row, EmptyYear empty) {
    const bool first = row == Row::First;
    QComboBox* era = first ? Combo1 : Combo2;
    QLineEdit* year = first ? Text39 : Text3;
    QLabel* western = first ? Label44 : Label6;
    QDateEdit* picker = first ? DTPicker1 : DTPicker2;
    const auto w =
        datetime::westernYear(era->currentText().toStdU16String(), year->text().toStdU16String());
    // A Western year left standing beside a box that no longer gives it would be read as the
    // answer to what the box now holds.
    if (!w)
        western->clear();
    if (empty == EmptyYear::Stop && year->text().isEmpty())
        return;
    if (w) {
        western->setText(QString::fromStdU16String(w->toPlainString()));
        // A year the picker cannot take (before its first year, or 29 February in a common
        // year) leaves its date while the row shows the Western year.
        if (const auto moved = datetime::withYear(toDate(picker->date()), *w)) {
            const QSignalBlocker quiet(picker);
            picker->setDate(toQDate(*moved));
        }
    }
    RecalcDays();
}

void DialogDays::addDays() {
    m_plusHolidaysUnknown = false;
    std::optional<datetime::Date> date;
    const datetime::Date start = toDate(DTPicker3->date());
    const std::u16string typed = Text2->text().toStdU16String();
    const auto count = datetime::typedDayCount(typed);
    if (!typed.empty() && !CheckBusiness->isChecked()) {
        date = datetime::datePlusDays(start, typed);
    } else if (!typed.empty() && count) {
        if (const auto found = datetime::datePlusBusinessDays(start, *count, yearEnd())) {
            date = found->date;
            m_plusHolidaysUnknown = !found->holidaysKnown;
        }
    }
    // A count that is not a number or leads off the calendar shows no date at all.
    Label5->setText(date ? QString::fromStdU16String(datetime::shortDate(*date)) : QString());
    LabelWeekday->setText(date ? QString::fromStdU16String(datetime::weekdayMark(*date))
                               : QString());
    showHolidayRange();
}

void DialogDays::Label1_Click() {
    const QString count = QString::number(m_span.dayCount);
    std::u16string tape = datetime::daysTapeText(m_span);
    if (!LabelBusiness->isHidden())
        tape += datetime::businessTapeLine(m_business.days, yearEnd());
    m_links.appendTape(tape);
    m_links.replaceInputLine(count, InputLineFocus::TakeFocus);
}

void DialogDays::Command2_Click() {
    if (Label1->text().isEmpty())
        return;
    const datetime::Date first = toDate(DTPicker1->date());
    const datetime::Date second = toDate(DTPicker2->date());
    std::u16string text =
        datetime::daysMemoText(first, second, m_span, mode(), Label7->text().toStdU16String());
    if (!LabelBusiness->isHidden())
        text += datetime::businessMemoLines(m_business.days, yearEnd());
    // The memo ends each appended piece with a line end of its own.
    m_links.appendMemo(QString::fromStdU16String(text).chopped(2));
    m_pasted = resultShown();
    Command2->hide();
    // The memo pad stays in view behind this window, which keeps the keyboard.
    activateWindow();
    OKButton->setFocus();
}

bool DialogDays::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        RecalcDays();
    return QWidget::event(event);
}

void DialogDays::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RecalcDays();
}

} // namespace sumiplex::ui
