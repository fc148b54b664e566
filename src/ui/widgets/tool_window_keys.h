#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace sumiplex::ui {

/// What Escape does in a window the main window opened beside itself.
enum class EscapeKey { Closes, Ignored };

/// Keeps the keyboard rules the main window's companion and tool windows share, so that no
/// window has to carry them itself:
/// - Escape that no control of the window took for itself (a cell editor, an open list)
///   closes the window, as it closes a dialog; the window's own close handling runs, so one
///   that only hides does so here too.
/// - When such a window closes (hidden, not minimized), `onClosed` runs: the main window
///   gives the keyboard back to its input line.
class ToolWindowKeys final : public QObject {
    Q_OBJECT
public:
    explicit ToolWindowKeys(std::function<void()> onClosed, QObject* parent = nullptr);

    /// Starts watching `window`; watching it again changes nothing. A window that is
    /// destroyed is forgotten.
    void watch(QWidget& window, EscapeKey escape);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onClosed;
    QList<QPointer<QWidget>> m_escapeCloses;
    QList<QPointer<QWidget>> m_watched;
};

} // namespace sumiplex::ui
