#include "ui/widgets/stray_key_release_filter.h"

#include <QKeyEvent>
#include <QWidget>

namespace sumiplex::ui {

namespace {

// Shift may come up before the key it changed, so the same physical key can be released
// under another key code; the scan code names the key itself.
quint64 physicalKey(const QKeyEvent& event) {
    if (event.nativeScanCode() != 0)
        return (quint64{1} << 32) | event.nativeScanCode();
    return static_cast<quint32>(event.key());
}

} // namespace

bool StrayKeyReleaseFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    const quint64 key = physicalKey(*static_cast<QKeyEvent*>(event));
    const QObject* window = widget->window();
    if (type != QEvent::KeyRelease) {
        m_pressedIn.insert(key, window);
        return false;
    }
    return m_pressedIn.value(key) != window;
}

} // namespace sumiplex::ui
