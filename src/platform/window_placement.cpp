#include "platform/window_placement.h"

#include "platform/twips_geometry.h"

#include "core/settings/values.h"

#include <QApplication>
#include <QMargins>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace sumiplex::platform {
namespace {

// Enough of the title bar to take hold of the window.
constexpr int kGrabWidth = 40;
constexpr int kGrabHeight = 10;
constexpr int kTitleStrip = 30;
// Between a window opened beside another and that other one.
constexpr int kBesideGap = 8;
constexpr const char* kPlacedByDefaultProperty = "sumiplexPlacedByDefault";

// At a fractional scale (1.5x) the screen's size in device-independent pixels is rounded,
// and the window system rounds each frame edge and the window inside it to whole device
// pixels again: a window laid exactly against the right or bottom edge can end a few device
// pixels past it. This much room keeps it on the screen.
constexpr int kFractionalScaleRoom = 4;

QList<QRect> screenGeometries() {
    QList<QRect> result;
    for (const QScreen* screen : QGuiApplication::screens()) {
        // Where windows may go: a panel or dock takes its strip off the screen.
        QRect room = screen->availableGeometry();
        const qreal ratio = screen->devicePixelRatio();
        if (ratio != std::floor(ratio))
            room.adjust(0, 0, -kFractionalScaleRoom, -kFractionalScaleRoom);
        result.append(room);
    }
    return result;
}

qint64 area(const QRect& r) {
    return r.isEmpty() ? 0 : qint64{r.width()} * r.height();
}

qint64 squaredGap(const QRect& a, const QRect& b) {
    const qint64 dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const qint64 dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

// The screen `frame` shares most with, or the nearest one when it shares none.
QRect screenFor(const QRect& frame, const QList<QRect>& screens) {
    return *std::min_element(screens.begin(), screens.end(), [&](const QRect& a, const QRect& b) {
        const qint64 sharedA = area(a.intersected(frame));
        const qint64 sharedB = area(b.intersected(frame));
        if (sharedA != sharedB)
            return sharedA > sharedB;
        return squaredGap(a, frame) < squaredGap(b, frame);
    });
}

// The start of a span of `length` moved within [low, high]: no further than needed, and
// to `low` when the span is longer than the room.
int within(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length + 1));
}

// The frame decorations of this desktop, read off a window already framed; none where no
// window is framed yet (the main window at start-up, the offscreen platform).
QMargins frameAllowance(const QWidget& except) {
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &except || !other->isVisible() || other->isMinimized())
            continue;
        const QRect frame = other->frameGeometry();
        const QRect client = other->geometry();
        if (frame != client)
            return {client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom()};
    }
    return {};
}

// The window's frame: as the window manager drew it once shown, else its size to be with
// the decorations other windows have.
QRect frameOf(const QWidget& window) {
    if (window.isVisible() && window.frameGeometry() != window.geometry())
        return window.frameGeometry();
    QSize size = window.size();
    if (size.isEmpty())
        size = window.sizeHint().expandedTo(QSize(1, 1));
    return {window.pos(), size.grownBy(frameAllowance(window))};
}

// A window not shown yet that is larger than the screen it goes to gives up what it does
// not need, so that as much of it as possible is in view; it never becomes smaller than its
// controls need. Returns its frame afterwards.
QRect fittedToScreen(QWidget& window, const QList<QRect>& screens) {
    const QRect frame = frameOf(window);
    if (window.isVisible() || screens.isEmpty())
        return frame;
    const QRect screen = screenFor(frame, screens);
    const QSize decorations = frame.size() - window.size();
    const QSize need = window.minimumSizeHint().expandedTo(window.minimumSize());
    const QSize fitted = window.size().boundedTo(screen.size() - decorations).expandedTo(need);
    if (fitted == window.size())
        return frame;
    window.resize(fitted);
    return frameOf(window);
}

std::optional<float> storedTwips(const SettingsStore& store, const Setting<float>& setting) {
    const std::optional<QString> text = store.find(setting.key);
    if (!text)
        return std::nullopt;
    return settings::parseSingle(text->toStdU16String());
}

void moveNoting(QWidget& window, const QPoint& placed, const QPoint& wanted, const QPointF& twips) {
    window.move(placed);
    // The twips asked for are kept only where the pixels are theirs; a window moved onto
    // the screen is where its pixels say.
    const double dpi = twipsDotsPerInch();
    noteTwips(window, TwipsEdge::Left,
              placed.x() == wanted.x() ? twips.x() : settings::pixelsToTwips(placed.x(), dpi),
              placed.x());
    noteTwips(window, TwipsEdge::Top,
              placed.y() == wanted.y() ? twips.y() : settings::pixelsToTwips(placed.y(), dpi),
              placed.y());
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

QPoint movedOnScreen(const QRect& frame, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return frame.topLeft();
    const QRect screen = screenFor(frame, screens);
    return {within(frame.left(), frame.width(), screen.left(), screen.right()),
            within(frame.top(), frame.height(), screen.top(), screen.bottom())};
}

QPoint placedPosition(const QRect& stored, const QList<QRect>& screens, const QPoint& fallback) {
    const QRect wanted = liesOnAScreen(stored, screens) ? stored : QRect(fallback, stored.size());
    return movedOnScreen(wanted, screens);
}

QPoint besideWindow(const QRect& anchor, const QSize& frameSize, const QList<QRect>& screens,
                    const QRect& keepClear) {
    const int width = frameSize.width();
    const int height = frameSize.height();
    const QPoint right(anchor.right() + 1 + kBesideGap, anchor.top());
    if (screens.isEmpty())
        return right;
    const QRect screen = screenFor(anchor, screens);
    const auto lineUpTop = [&](int x) {
        return QPoint(x, within(anchor.top(), height, screen.top(), screen.bottom()));
    };
    const bool fitsHigh = height <= screen.height();
    if (fitsHigh && right.x() + width - 1 <= screen.right())
        return lineUpTop(right.x());
    const int leftX = anchor.left() - kBesideGap - width;
    if (fitsHigh && leftX >= screen.left())
        return lineUpTop(leftX);
    const int belowY = anchor.bottom() + 1 + kBesideGap;
    if (width <= screen.width() && belowY + height - 1 <= screen.bottom())
        return {within(anchor.left(), width, screen.left(), screen.right()), belowY};
    const QPoint overlapping = movedOnScreen(QRect(right, frameSize), {screen});
    const int clearY = keepClear.bottom() + 1 + kBesideGap;
    if (!keepClear.isEmpty() && clearY + height - 1 <= screen.bottom())
        return {overlapping.x(), std::max(clearY, screen.top())};
    return overlapping;
}

double twipsDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

void restoreWindowPosition(QWidget& window, const SettingsStore& store, const Setting<float>& left,
                           const Setting<float>& top) {
    const double dpi = twipsDotsPerInch();
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
    const QList<QRect> screens = screenGeometries();
    const QSize frameSize = fittedToScreen(window, screens).size();
    const std::optional<float> storedLeft = storedTwips(store, left);
    const std::optional<float> storedTop = storedTwips(store, top);
    // A key on its own stands for its edge; the other edge takes its default.
    const QPointF storedPlace(storedLeft.value_or(left.defaultValue),
                              storedTop.value_or(top.defaultValue));
    const bool fromStore = (storedLeft || storedTop) &&
                           liesOnAScreen(QRect(toPixels(storedPlace), frameSize), screens);
    const QPointF twips = fromStore ? storedPlace : QPointF(left.defaultValue, top.defaultValue);
    const QPoint wanted = toPixels(twips);
    moveNoting(window, movedOnScreen(QRect(wanted, frameSize), screens), wanted, twips);
    window.setProperty(kPlacedByDefaultProperty, !fromStore);
}

bool placedByDefault(const QWidget& window) {
    return window.property(kPlacedByDefaultProperty).toBool();
}

void placeBeside(QWidget& window, const QWidget& anchor, const QWidget* keepClear) {
    const QRect clear =
        keepClear != nullptr
            ? QRect(keepClear->mapTo(&anchor, QPoint(0, 0)) + anchor.geometry().topLeft(),
                    keepClear->size())
            : QRect();
    const QList<QRect> screens = screenGeometries();
    const QPoint placed =
        besideWindow(frameOf(anchor), fittedToScreen(window, screens).size(), screens, clear);
    const double dpi = twipsDotsPerInch();
    moveNoting(window, placed, placed,
               QPointF(settings::pixelsToTwips(placed.x(), dpi),
                       settings::pixelsToTwips(placed.y(), dpi)));
    window.setProperty(kPlacedByDefaultProperty, false);
}

void keepOnScreen(QWidget& window) {
    const QList<QRect> screens = screenGeometries();
    const QRect frame = fittedToScreen(window, screens);
    const QPoint placed = movedOnScreen(frame, screens);
    if (placed != frame.topLeft())
        window.move(placed);
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
