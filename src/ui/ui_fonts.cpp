#include "ui/ui_fonts.h"

#include <QFont>

namespace sumiplex::ui {

QStringList fontStandIns(const QString& family) {
    // The serif Japanese face is the closer match for the Mincho name; the sans face
    // stands behind it on systems that only ship the Gothic half of the CJK fonts.
    if (family == kMsPMincho)
        return {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Sans CJK JP")};
    if (family == kMsPGothic)
        return {QStringLiteral("Noto Sans CJK JP")};
    if (family == kTimesNewRoman)
        return {QStringLiteral("Liberation Serif"), QStringLiteral("Noto Serif CJK JP")};
    return {};
}

void installFontSubstitutions() {
    for (const QString& family : {kTimesNewRoman, kMsPMincho, kMsPGothic})
        QFont::insertSubstitutions(family, fontStandIns(family));
}

} // namespace sumiplex::ui
