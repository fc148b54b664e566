#include "platform/window_placement.h"

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

void restoreWindowPosition(QWidget& window, const SettingsStore& store, SingleSetting left,
                           SingleSetting top) {
    const double dpi = twipsDotsPerInch();
    const QPoint stored(settings::twipsToPixels(readSingle(store, left), dpi),
                        settings::twipsToPixels(readSingle(store, top), dpi));
    const QPoint fallback(settings::twipsToPixels(left.defaultValue, dpi),
                          settings::twipsToPixels(top.defaultValue, dpi));
    QSize size = window.frameGeometry().size();
    if (size.isEmpty()) {
        size = window.sizeHint().expandedTo(QSize(1, 1));
    }
    window.move(placedPosition(QRect(stored, size), screenGeometries(), fallback));
}

void saveWindowPosition(const QWidget& window, SettingsStore& store, QStringView leftKey,
                        QStringView topKey) {
    if (window.isMinimized()) {
        return;
    }
    const double dpi = twipsDotsPerInch();
    const QPoint pos = window.pos();
    writeNumber(store, leftKey, settings::pixelsToTwips(pos.x(), dpi));
    writeNumber(store, topKey, settings::pixelsToTwips(pos.y(), dpi));
}

} // namespace sumiplex::platform
