#pragma once

#include "core/tools/datetime/calendar.h"

#include <QDate>
#include <QString>

class QDateTimeEdit;
class QPushButton;
class QWidget;

namespace sumiplex::ui {

[[nodiscard]] datetime::Date toDate(const QDate& date);
[[nodiscard]] QDate toQDate(const datetime::Date& date);

/// Gives `object` its name, by which the window's code and the script driver know it.
template <typename T> T* named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

/// The Japanese face the date and time windows are written in.
void applyToolFont(QWidget& window);

/// The picture button that pastes a result to the memo pad; hidden until there is one.
[[nodiscard]] QPushButton* memoButton(QWidget* parent, const char* name);

/// A date picker over the pickable range with a drop-down calendar, dates written yyyy/MM/dd.
void setUpDatePicker(QDateTimeEdit& picker, const QDate& date);

} // namespace sumiplex::ui
