#include "ui/tools/datetime/holiday_calendar.h"

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>

using sumiplex::ui::markHolidays;

namespace {

// Every tooltip the calendar's day cells give, as the view asks its model for them.
QSet<QString> cellTooltips(QCalendarWidget& calendar) {
    auto* view = calendar.findChild<QTableView*>();
    QSet<QString> tips;
    if (!view)
        return tips;
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            if (const QString tip = model->index(r, c).data(Qt::ToolTipRole).toString();
                !tip.isEmpty())
                tips.insert(tip);
    return tips;
}

} // namespace

class HolidayCalendarTest : public QObject {
    Q_OBJECT
private slots:
    void marksWeekendsAndTheHolidaysOfThePageShown();
};

void HolidayCalendarTest::marksWeekendsAndTheHolidaysOfThePageShown() {
    QCalendarWidget calendar;
    calendar.setFirstDayOfWeek(Qt::Sunday);
    calendar.setSelectedDate(QDate(2025, 5, 20));
    markHolidays(calendar);

    const QColor sunday = calendar.weekdayTextFormat(Qt::Sunday).foreground().color();
    const QColor saturday = calendar.weekdayTextFormat(Qt::Saturday).foreground().color();
    QVERIFY(sunday.red() > 150 && sunday.blue() < 80);
    QVERIFY(saturday.blue() > 150 && saturday.red() < 80);
    QCOMPARE(calendar.weekdayTextFormat(Qt::Monday).foreground().color(),
             QCalendarWidget().weekdayTextFormat(Qt::Monday).foreground().color());

    // The month shown and the days of the months beside it that the page shows.
    const QTextCharFormat substitute = calendar.dateTextFormat(QDate(2025, 5, 6));
    QCOMPARE(substitute.toolTip(), QStringLiteral("振替休日"));
    QCOMPARE(substitute.foreground().color(), sunday);
    QCOMPARE(calendar.dateTextFormat(QDate(2025, 4, 29)).toolTip(), QStringLiteral("昭和の日"));
    QVERIFY(calendar.dateTextFormat(QDate(2025, 5, 7)).toolTip().isEmpty());
    const QSet<QString> shown = cellTooltips(calendar);
    for (const char* name : {"昭和の日", "憲法記念日", "みどりの日", "こどもの日", "振替休日"})
        QVERIFY2(shown.contains(QString::fromUtf8(name)), name);

    // Turning the page formats the new one and drops the old.
    calendar.setCurrentPage(2019, 10);
    QCOMPARE(calendar.dateTextFormat(QDate(2019, 10, 22)).toolTip(),
             QStringLiteral("即位礼正殿の儀"));
    QVERIFY(calendar.dateTextFormat(QDate(2025, 5, 6)).toolTip().isEmpty());
    // September to November 2019: seven holidays, and nothing of the page before.
    QCOMPARE(calendar.dateTextFormat().size(), 7);
    QVERIFY(cellTooltips(calendar).contains(QStringLiteral("体育の日")));

    // Years whose holidays are not known show none.
    calendar.setCurrentPage(2100, 1);
    QVERIFY(calendar.dateTextFormat().isEmpty());
}

QTEST_MAIN(HolidayCalendarTest)
#include "holiday_calendar_test.moc"
