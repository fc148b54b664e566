#include "ui/widgets/glyph_icon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace sumiplex::ui {

QIcon glyphIcon(const QString& glyph, const QColor& colour, int size) {
    QIcon icon;
    // Drawn at two scales so the icon stays sharp on high-density screens.
    for (const int scale : {1, 2}) {
        QPixmap pixmap(size * scale, size * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QFont font;
        font.setBold(true);
        font.setPixelSize(size * scale * 7 / 8);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace sumiplex::ui
