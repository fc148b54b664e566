#pragma once

#include <QString>

namespace sumiplex::ui {

/// The credit line the companion windows show below their content.
inline const QString kCredit = QStringLiteral("Presents by Velquor");

} // namespace sumiplex::ui
