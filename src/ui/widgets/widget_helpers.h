#pragma once

#include <QString>

class QColor;
class QEvent;
class QWidget;

namespace sumiplex::ui {

/// Gives `object` its name, by which the window's code and the script driver know it.
template <typename T> T* named(T* object, const QString& name) {
    object->setObjectName(name);
    return object;
}

template <typename T> T* named(T* object, const char* name) {
    return named(object, QString::fromLatin1(name));
}

/// Sets the colour a label's caption is drawn in, keeping the rest of its palette.
void setTextColour(QWidget* widget, const QColor& colour);

/// Keeps the widget's place in its layout while it is hidden, so that showing and hiding it
/// moves nothing else.
void keepPlaceWhenHidden(QWidget* widget);

/// True for a press of either Enter key (the main keyboard's or the keypad's).
[[nodiscard]] bool isEnterPress(const QEvent* event);

} // namespace sumiplex::ui
