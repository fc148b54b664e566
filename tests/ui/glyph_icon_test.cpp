#include "ui/widgets/glyph_icon.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

using sumiplex::ui::glyphIcon;
using sumiplex::ui::glyphPixmap;

namespace {

// What the icon must answer as: one holding the glyph drawn at both scales from the start.
QIcon drawnAtOnce(const QString& glyph, const QColor& colour) {
    QIcon icon;
    icon.addPixmap(glyphPixmap(glyph, colour, 16));
    icon.addPixmap(glyphPixmap(glyph, colour, 32));
    return icon;
}

QImage painted(const QIcon& icon, const QSize& area, qreal ratio, QIcon::Mode mode) {
    QImage image(area * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(0, 0), area), Qt::AlignCenter, mode);
    return image;
}

} // namespace

class GlyphIconTest : public QObject {
    Q_OBJECT

private slots:
    // Asked in this order of one icon, of a fresh icon for each request, and of one asked
    // for a large pixmap first: a scale drawn late must not change an answer, nor must a
    // request served before it was drawn, nor a small request after a large one.
    void answersAsAnIconDrawnAtOnce_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("mode");
        const QList<QSize> sizes{{8, 8},   {16, 16}, {12, 20}, {20, 20},
                                 {16, 32}, {32, 32}, {48, 48}};
        for (const qreal ratio : {1.0, 2.0})
            for (const QSize& size : sizes)
                for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
                    QTest::addRow("%dx%d@%gx mode %d", size.width(), size.height(), ratio,
                                  int(mode))
                        << size << ratio << int(mode);
    }
    void answersAsAnIconDrawnAtOnce() {
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QFETCH(int, mode);
        const auto m = static_cast<QIcon::Mode>(mode);
        const QIcon expected = drawnAtOnce(QStringLiteral("✎"), Qt::darkBlue);
        const QIcon fresh = glyphIcon(QStringLiteral("✎"), Qt::darkBlue);
        const QIcon largeFirst = glyphIcon(QStringLiteral("✎"), Qt::darkBlue);
        (void)largeFirst.pixmap(QSize(48, 48));
        for (const QIcon* icon : {static_cast<const QIcon*>(&m_shared), &fresh, &largeFirst}) {
            QVERIFY(!icon->isNull());
            QCOMPARE(icon->actualSize(size, m), expected.actualSize(size, m));
            QCOMPARE(painted(*icon, size, ratio, m), painted(expected, size, ratio, m));
            const QPixmap got = icon->pixmap(size, ratio, m);
            const QPixmap want = expected.pixmap(size, ratio, m);
            QCOMPARE(got.devicePixelRatio(), want.devicePixelRatio());
            QCOMPARE(got.toImage(), want.toImage());
        }
        QCOMPARE(fresh.availableSizes(), expected.availableSizes());
    }

private:
    QIcon m_shared = glyphIcon(QStringLiteral("✎"), Qt::darkBlue);
};

QTEST_MAIN(GlyphIconTest)
#include "glyph_icon_test.moc"
