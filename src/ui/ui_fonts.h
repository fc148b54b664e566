#pragma once

#include <QString>
#include <QStringList>

namespace sumiplex::ui {

/// Font names the windows and the settings use as written; none of them is installed
/// on a Linux desktop, so each is mapped to an installed family.
inline const QString kTimesNewRoman = QStringLiteral("Times New Roman");
inline const QString kMsPMincho = QStringLiteral("ＭＳ Ｐ明朝");
inline const QString kMsPGothic = QStringLiteral("ＭＳ Ｐゴシック");

/// The families tried, in order, for a font name used by the windows; empty for names
/// that need no stand-in.
[[nodiscard]] QStringList fontStandIns(const QString& family);

/// Registers the stand-ins with QFont. Call once after the QApplication exists, before
/// any window is built.
void installFontSubstitutions();

} // namespace sumiplex::ui
