#pragma once

#include <QByteArray>
#include <QString>

namespace sumiplex::driver {

/// The text as a JSON string literal in UTF-8, quotes included: ", \ and control
/// characters escaped as JSON writes them, every other character kept as it is.
[[nodiscard]] QByteArray jsonQuote(const QString& text);

} // namespace sumiplex::driver
