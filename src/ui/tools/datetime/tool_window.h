#pragma once

#include "core/tools/datetime/calendar.h"
#include "ui/widgets/widget_helpers.h"

#include <QDate>
#include <QString>

class QDateTimeEdit;
class QPushButton;
class QWidget;

namespace sumiplex::ui {

[[nodiscard]] datetime::Date toDate(const QDate& date);
[[nodiscard]] QDate toQDate(const datetime::Date& date);

/// The Japanese face the date and time windows are written in.
void applyToolFont(QWidget& window);

/// The picture button that pastes a result to the memo pad; hidden until there is one.
[[nodiscard]] QPushButton* memoButton(QWidget* parent, const QString& name);

/// A date picker over the pickable range with a drop-down calendar, dates written yyyy/MM/dd.
void setUpDatePicker(QDateTimeEdit& picker, const QDate& date);

} // namespace sumiplex::ui
