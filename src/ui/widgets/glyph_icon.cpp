#include "ui/widgets/glyph_icon.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>

#include <utility>

namespace sumiplex::ui {

namespace {

// The glyph is held at its size times 1 up to times this, for high-density screens.
constexpr int kLargestScale = 2;

// Answers as an icon holding the glyph at both scales would, and draws a scale only when
// an answer needs its pixels. Which scale serves a request follows the rule of an icon
// with pixmaps added: the smallest whose area reaches the request's, else the largest.
// The answers themselves come from such an icon, filled as the scales are drawn, so the
// disabled look, the cache and the scaling to the request are the ones every icon has.
class GlyphIconEngine final : public QIconEngine {
public:
    GlyphIconEngine(QString glyph, QColor colour, int size)
        : m_glyph(std::move(glyph)), m_colour(colour), m_size(size) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        drawFor(rect.size() * ratio);
        m_drawn.paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        drawFor(size);
        return m_drawn.pixmap(size, 1.0, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = m_size * scaleFor(size);
        QSize actual(side, side);
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        if (mode != QIcon::Normal || state != QIcon::Off)
            return {};
        QList<QSize> sizes;
        for (int scale = 1; scale <= kLargestScale; ++scale)
            sizes.append(QSize(m_size * scale, m_size * scale));
        return sizes;
    }

    QString key() const override { return QStringLiteral("GlyphIconEngine"); }
    QIconEngine* clone() const override { return new GlyphIconEngine(*this); }

private:
    [[nodiscard]] int scaleFor(const QSize& request) const {
        const qint64 asked = qint64{request.width()} * request.height();
        for (int scale = 1; scale < kLargestScale; ++scale)
            if (qint64{m_size} * scale * m_size * scale >= asked)
                return scale;
        return kLargestScale;
    }

    // Draws every scale up to the one `request` is served from, smallest first, so the
    // largest drawn tells which are held. Holding a large scale without the smaller ones
    // would serve a small request from the large pixmap scaled down.
    void drawFor(const QSize& request) {
        const int wanted = scaleFor(request);
        for (int scale = m_drawnUpTo + 1; scale <= wanted; ++scale) {
            m_drawn.addPixmap(glyphPixmap(m_glyph, m_colour, m_size * scale));
            m_drawnUpTo = scale;
        }
    }

    QString m_glyph;
    QColor m_colour;
    int m_size;
    QIcon m_drawn;
    int m_drawnUpTo = 0;
};

} // namespace

QPixmap glyphPixmap(const QString& glyph, const QColor& colour, int pixels) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    font.setBold(true);
    font.setPixelSize(pixels * 7 / 8);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    painter.end();
    return pixmap;
}

QIcon glyphIcon(const QString& glyph, const QColor& colour, int size) {
    return QIcon(new GlyphIconEngine(glyph, colour, size));
}

} // namespace sumiplex::ui
