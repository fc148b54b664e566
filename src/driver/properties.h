#pragma once

#include <QObject>
#include <QString>
#include <QStringView>

#include <optional>

namespace sumiplex::driver {

/// A value read for `print`, or why it could not be read.
struct PropertyValue {
    std::optional<QString> value;
    QString error;
};

/// True for the property words a reference may end with (text, enabled, visible, ...).
[[nodiscard]] bool isPropertyName(QStringView word);

/// Reads a property of a window, a control, a menu action or a timer. Booleans read as
/// "true"/"false", positions and sizes in twips, colours as 32-bit values with red in the
/// low byte. A property that does not apply to the object is an error, so a script that
/// asks for the caret of a button fails instead of printing a guess.
[[nodiscard]] PropertyValue readProperty(const QObject& object, QStringView property);

/// Screen pixels to twips (1/1440 inch) at the given logical dots per inch.
[[nodiscard]] int pixelsToTwips(int pixels, int dotsPerInch);

} // namespace sumiplex::driver
