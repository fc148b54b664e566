#pragma once

class QCalendarWidget;

namespace sumiplex::ui {

/// Colours the calendar as Japanese calendars are printed: Sundays and national holidays red,
/// Saturdays blue, each holiday's name the tooltip of its day. Only the days of the page on
/// show (its month and the ones beside it) are formatted, again whenever the page turns.
void markHolidays(QCalendarWidget& calendar);

} // namespace sumiplex::ui
