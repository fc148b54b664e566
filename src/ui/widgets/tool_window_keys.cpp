#include "ui/widgets/tool_window_keys.h"

#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
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

ToolWindow::ToolWindow(platform::SettingsStore& settings, PlaceKeys place, Closing closing,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), m_settings(settings), m_place(place), m_closing(closing) {}

void ToolWindow::restorePosition() {
    platform::restoreWindowPosition(*this, m_settings, m_place.left, m_place.top);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    if (!m_unloaded) {
        m_unloaded = m_closing == Closing::Unloads;
        storeOnClose();
        const platform::Setting<float>& left =
            m_place.leftWritten != nullptr ? *m_place.leftWritten : m_place.left;
        platform::saveWindowPosition(*this, m_settings, left.key, m_place.top.key);
    }
    event->accept();
}

ToolWindows::ToolWindows(QWidget& anchor, QWidget& keepClear, std::function<void()> onClosed)
    : m_anchor(anchor), m_keepClear(keepClear),
      m_keys(std::make_unique<ToolWindowKeys>(std::move(onClosed))) {}

ToolWindows::~ToolWindows() {
    // The windows hide as they go; none of that is a window closing on the user.
    m_keys.reset();
    for (auto held = m_held.rbegin(); held != m_held.rend(); ++held)
        delete held->window.data();
}

QWidget* ToolWindows::loaded(const QString& name) const {
    const auto held = std::ranges::find(m_held, name, &Held::name);
    if (held == m_held.end() || held->window.isNull())
        return nullptr;
    const auto* tool = qobject_cast<const ToolWindow*>(held->window.data());
    return tool == nullptr || tool->isLoaded() ? held->window.data() : nullptr;
}

void ToolWindows::hold(const QString& name, QWidget& window) {
    const auto held = std::ranges::find(m_held, name, &Held::name);
    if (held == m_held.end())
        m_held.push_back({name, &window});
    else
        held->window = &window;
}

void ToolWindows::destroy(const QString& name) {
    const auto held = std::ranges::find(m_held, name, &Held::name);
    if (held != m_held.end())
        delete held->window.data();
}

void ToolWindows::forget(const QString& name) {
    const auto held = std::ranges::find(m_held, name, &Held::name);
    if (held != m_held.end())
        held->window = nullptr;
}

void ToolWindows::prepare(QWidget& window, ToolShow how) {
    m_keys->watch(window, how == ToolShow::KeepEscape ? EscapeKey::Ignored : EscapeKey::Closes);
    if (window.isVisible())
        return;
    // A window with no place of its own yet opens beside the main window rather than over
    // its input line; every other one is brought wholly onto a screen, whatever was stored
    // or however the screens have changed since.
    if (platform::placedByDefault(window) || !window.testAttribute(Qt::WA_Moved))
        platform::placeBeside(window, m_anchor, &m_keepClear);
    else
        platform::keepOnScreen(window);
}

void ToolWindows::show(QWidget& window, ToolShow how) {
    prepare(window, how);
    window.show();
    window.raise();
    if (how != ToolShow::Quietly)
        window.activateWindow();
}

void ToolWindows::closeAll() {
    // A window may delete itself, or another, as it closes: each is looked up afresh.
    for (std::size_t i = m_held.size(); i-- > 0;)
        if (QWidget* window = loaded(m_held[i].name))
            window->close();
}

} // namespace sumiplex::ui
