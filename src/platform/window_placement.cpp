#include "platform/window_placement.h"

#include "platform/twips_geometry.h"

#include "core/settings/values.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace sumiplex::platform {
namespace {

// Enough of the title bar to take hold of the window.
constexpr int kGrabWidth = 40;
constexpr int kGrabHeight = 10;
constexpr int kTitleStrip = 30;

QList<QRect> screenGeometries() {
    QList<QRect> result;
    for (const QScreen* screen : QGuiApplication::screens()) {
        result.append(screen->geometry());
    }
    return result;
}

} // namespace

bool liesOnAScreen(const QRect& window, const QList<QRect>& screens) {
    if (window.isEmpty()) {
        return false;
    }
    const QRect strip(window.left(), window.top(), window.width(),
                      std::min(window.height(), kTitleStrip));
    const int needWidth = std::min(kGrabWidth, strip.width());
    const int needHeight = std::min(kGrabHeight, strip.height());
    return std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
        const QRect shared = screen.intersected(strip);
        return shared.width() >= needWidth && shared.height() >= needHeight;
    });
}

QPoint placedPosition(const QRect& stored, const QList<QRect>& screens, const QPoint& fallback) {
    return liesOnAScreen(stored, screens) ? stored.topLeft() : fallback;
}

double twipsDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

void restoreWindowPosition(QWidget& window, const SettingsStore& store, const Setting<float>& left,
                           const Setting<float>& top) {
    const double dpi = twipsDotsPerInch();
    const QPointF storedTwips(readSetting(store, left), readSetting(store, top));
    const QPointF defaultTwips(left.defaultValue, top.defaultValue);
    const auto toPixels = [dpi](const QPointF& twips) {
        return QPoint(settings::twipsToPixels(twips.x(), dpi),
                      settings::twipsToPixels(twips.y(), dpi));
    };
    // A window whose size is still to be worked out gets it now, before it has a native
    // window: resized between being created and being framed by a window manager, a
    // window is placed by its client area and opens a title bar higher at every start.
    if (!window.testAttribute(Qt::WA_WState_Created) && !window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
    }
    QSize size = window.frameGeometry().size();
    if (size.isEmpty()) {
        size = window.sizeHint().expandedTo(QSize(1, 1));
    }
    const QPoint stored = toPixels(storedTwips);
    const QPoint placed =
        placedPosition(QRect(stored, size), screenGeometries(), toPixels(defaultTwips));
    window.move(placed);
    const QPointF& twips = placed == stored ? storedTwips : defaultTwips;
    noteTwips(window, TwipsEdge::Left, twips.x(), placed.x());
    noteTwips(window, TwipsEdge::Top, twips.y(), placed.y());
}

void saveWindowPosition(const QWidget& window, SettingsStore& store, QStringView leftKey,
                        QStringView topKey) {
    if (window.isMinimized()) {
        return;
    }
    // A window the user has not moved writes back the very twips it was placed from, so a
    // position does not creep by the rounding to whole pixels at every start.
    const double dpi = twipsDotsPerInch();
    const QPoint pos = window.pos();
    writeNumber(store, leftKey, twipsOf(window, TwipsEdge::Left, pos.x(), dpi));
    writeNumber(store, topKey, twipsOf(window, TwipsEdge::Top, pos.y(), dpi));
}

} // namespace sumiplex::platform
