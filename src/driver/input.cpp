#include "driver/input.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QPointer>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>

namespace sumiplex::driver {

namespace {

QPoint clickPoint(const QWidget& w) {
    QStyleOptionButton option;
    option.initFrom(&w);
    if (auto* check = qobject_cast<const QCheckBox*>(&w)) {
        option.text = check->text();
        return w.style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, &w).center();
    }
    if (auto* radio = qobject_cast<const QRadioButton*>(&w)) {
        option.text = radio->text();
        return w.style()->subElementRect(QStyle::SE_RadioButtonClickRect, &option, &w).center();
    }
    return w.rect().center();
}

// As a window system does, a key comes up in whatever has the focus once its press has
// been handled: when the press closed a dialog, in the window the dialog belongs to (which
// the offscreen platform only activates a turn later).
QWidget* releaseTarget(QWidget* pressed) {
    if (QWidget* focused = QApplication::focusWidget())
        return focused;
    if (!pressed || pressed->window()->isVisible())
        return pressed;
    QWidget* owner = pressed->window()->parentWidget();
    if (!owner)
        return pressed;
    QWidget* below = owner->window();
    return below->focusWidget() ? below->focusWidget() : below;
}

} // namespace

void activateWindow(QWidget& window) {
    window.activateWindow();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // The offscreen platform activates asynchronously; the script's next key must not
    // depend on when that lands.
    if (QApplication::activeWindow() != &window)
        QApplication::setActiveWindow(&window);
#endif
}

bool closePopups(QWidget* openedFrom) {
    QPointer<QWidget> owner = openedFrom;
    bool closed = false;
    for (int guard = 0; QApplication::activePopupWidget() && guard < 100; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!openedFrom && popup->parentWidget())
            owner = popup->parentWidget()->window();
        popup->close();
        closed = true;
    }
    if (closed && owner && owner->isVisible())
        activateWindow(*owner);
    return closed;
}

void keyboardContextMenu(QWidget& widget) {
    const QPoint at = widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, at, widget.mapToGlobal(at));
    QSpontaneKeyEvent::setSpontaneous(&menuEvent);
    qApp->notify(&widget, &menuEvent);
}

void pressAndRelease(QWidget& fallback, const KeyStroke& key) {
    QPointer<QWidget> target = QApplication::focusWidget();
    if (!target)
        target = &fallback;
    const auto code = static_cast<Qt::Key>(key.key);
    QTest::sendKeyEvent(QTest::Press, target, code, key.text, key.modifiers);
    if (code == Qt::Key_Menu && target)
        keyboardContextMenu(*target);
    target = releaseTarget(target);
    if (!target)
        return;
    QTest::sendKeyEvent(QTest::Release, target, code, key.text, key.modifiers);
    QCoreApplication::sendPostedEvents();
}

void clickWidget(QWidget& widget, Qt::MouseButton button) {
    QTest::mouseClick(&widget, button, Qt::NoModifier, clickPoint(widget));
}

void rightClickWidget(QWidget& widget) {
    const QPoint at = widget.rect().center();
    QPointer<QWidget> w = &widget;
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, at);
    if (!w)
        return;
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
    QSpontaneKeyEvent::setSpontaneous(&menuEvent);
    // notify, not sendEvent: sendEvent would mark the event as the program's own.
    qApp->notify(w, &menuEvent);
    if (!w)
        return;
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, at);
}

void doubleClickWidget(QWidget& widget) {
    const QPoint at = widget.rect().center();
    QPointer<QWidget> w = &widget;
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, at);
    if (w)
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, at);
    if (w)
        QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, at);
    if (w)
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace sumiplex::driver
