#include "ui/widgets/tool_window_keys.h"

#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace sumiplex::ui {

ToolWindowKeys::ToolWindowKeys(std::function<void()> onClosed, QObject* parent)
    : QObject(parent), m_onClosed(std::move(onClosed)) {}

void ToolWindowKeys::watch(QWidget& window, EscapeKey escape) {
    m_watched.removeAll(nullptr);
    m_escapeCloses.removeAll(nullptr);
    if (!m_watched.contains(&window)) {
        m_watched.append(&window);
        window.installEventFilter(this);
    }
    if (escape == EscapeKey::Closes && !m_escapeCloses.contains(&window))
        m_escapeCloses.append(&window);
}

bool ToolWindowKeys::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (window == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A key reaches the window itself only when the control with the focus, and each
        // control around it, let it pass.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier ||
            !m_escapeCloses.contains(window))
            return false;
        window->close();
        return true;
    }
    case QEvent::Hide:
        // A minimized window is not closed; the window system says so with a hide of its own.
        if (!event->spontaneous() && !window->isMinimized() && m_onClosed)
            m_onClosed();
        return false;
    default:
        return false;
    }
}

} // namespace sumiplex::ui
