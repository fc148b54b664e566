#include "ui/tools/datetime/holiday_calendar.h"

#include "core/tools/datetime/holidays.h"
#include "ui/tools/datetime/tool_window.h"

#include <QCalendarWidget>
#include <QColor>
#include <QTextCharFormat>

namespace sumiplex::ui {

namespace {

const QColor kHolidayRed{204, 0, 0};
const QColor kSaturdayBlue{0, 70, 200};

void markPage(QCalendarWidget& calendar, int year, int month) {
    // Formats of pages turned away from are dropped, so that leafing through the years never
    // piles them up.
    calendar.setDateTextFormat(QDate(), QTextCharFormat());
    const QDate first(year, month, 1);
    if (!first.isValid())
        return;
    // A page also shows the last days of the month before and the first of the month after.
    for (QDate day = first.addMonths(-1); day < first.addMonths(2); day = day.addDays(1)) {
        const auto name = datetime::holidayName(toDate(day));
        if (!name)
            continue;
        QTextCharFormat format;
        format.setForeground(kHolidayRed);
        format.setToolTip(QString::fromUtf16(name->data(), static_cast<qsizetype>(name->size())));
        calendar.setDateTextFormat(day, format);
    }
}

void colourWeekday(QCalendarWidget& calendar, Qt::DayOfWeek day, const QColor& colour) {
    QTextCharFormat format = calendar.weekdayTextFormat(day);
    format.setForeground(colour);
    calendar.setWeekdayTextFormat(day, format);
}

} // namespace

void markHolidays(QCalendarWidget& calendar) {
    colourWeekday(calendar, Qt::Sunday, kHolidayRed);
    colourWeekday(calendar, Qt::Saturday, kSaturdayBlue);
    markPage(calendar, calendar.yearShown(), calendar.monthShown());
    QObject::connect(&calendar, &QCalendarWidget::currentPageChanged, &calendar,
                     [&calendar](int year, int month) { markPage(calendar, year, month); });
}

} // namespace sumiplex::ui
