#pragma once

#include "platform/settings_keys.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QCloseEvent;

namespace sumiplex::platform {
class SettingsStore;
} // namespace sumiplex::platform

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

/// A tool window that keeps its place between runs: it opens where it was last closed (kept
/// wholly on a screen, or at its keys' default when that place is on no screen) and stores
/// its place when it closes. A window that unloads on closing does all of that once, and is
/// then no longer loaded: the next opening builds a new one, which starts as the first did.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    /// The settings that hold the window's top-left corner in twips. One window reads its
    /// left edge under a key spelt differently from the one it writes.
    struct PlaceKeys {
        const platform::Setting<float>& left;
        const platform::Setting<float>& top;
        const platform::Setting<float>* leftWritten = nullptr;
    };
    enum class Closing {
        Unloads, ///< closing ends the window: its place is stored once
        Hides,   ///< closing only hides it, so its marks survive: stored at every close
    };

    /// False once a window that unloads on closing has closed.
    [[nodiscard]] bool isLoaded() const { return !m_unloaded; }

protected:
    ToolWindow(platform::SettingsStore& settings, PlaceKeys place, Closing closing,
               QWidget* parent = nullptr);

    /// Takes the stored place; called once the window has its final size, before it is
    /// first shown.
    void restorePosition();
    /// The window's own settings, stored beside its place when it closes.
    virtual void storeOnClose() {}
    void closeEvent(QCloseEvent* event) override;

private:
    platform::SettingsStore& m_settings;
    PlaceKeys m_place;
    Closing m_closing;
    bool m_unloaded = false;
};

/// How a tool window is shown.
enum class ToolShow {
    Activate,   ///< shown and given the keyboard; Escape closes it
    Quietly,    ///< shown without taking the keyboard from the main window; Escape closes it
    KeepEscape, ///< shown quietly; Escape stays with the window (the memo pad's text)
};

/// The windows the main window opens beside itself, held in one place. A window is known by
/// its object name; it is built when first opened, raised when opened again, and built anew
/// when it unloaded (closed for good, or deleted itself) since. Every window shown here
/// opens beside `anchor` the first time it has no place of its own (keeping `keepClear` in
/// view), is kept wholly on a screen otherwise, closes with Escape where its ToolShow says so,
/// and gives the keyboard back through `onClosed` when it closes.
///
/// A new tool window touches four files besides its own: derive it from ToolWindow, give it
/// its place keys (platform/settings_keys.h), a row in the main window's menu table
/// (ui/mainwindow/frm_main_menus.cpp) and an opening through this registry
/// (ui/mainwindow/main_tools.cpp/.h).
class ToolWindows final {
public:
    ToolWindows(QWidget& anchor, QWidget& keepClear, std::function<void()> onClosed);
    /// Deletes the windows still held, newest first, none of which counts as closing.
    ~ToolWindows();
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;

    /// The window named `name` while it is loaded, else null.
    template <class W> [[nodiscard]] W* find(const QString& name) const {
        return qobject_cast<W*>(loaded(name));
    }
    /// The loaded window named `name`, built by `make` (the window is then held here) when
    /// there is none.
    template <class W> W& load(const QString& name, const std::function<W*()>& make) {
        if (W* window = find<W>(name))
            return *window;
        destroy(name);
        W* built = make();
        hold(name, *built);
        return *built;
    }
    /// Places and watches `window` as show() does, for a window that shows itself.
    void prepare(QWidget& window, ToolShow how);
    void show(QWidget& window, ToolShow how);
    /// Closes every loaded window, newest first: the main window is unloading.
    void closeAll();
    /// Deletes the window named `name` now, loaded or not, without its close event.
    void destroy(const QString& name);
    /// Lets go of the window named `name`, which is on its way out by itself: the next
    /// opening builds a new one.
    void forget(const QString& name);

private:
    struct Held {
        QString name;
        QPointer<QWidget> window;
    };
    [[nodiscard]] QWidget* loaded(const QString& name) const;
    void hold(const QString& name, QWidget& window);

    QWidget& m_anchor;
    QWidget& m_keepClear;
    std::unique_ptr<ToolWindowKeys> m_keys;
    /// In the order each was first built.
    std::vector<Held> m_held;
};

} // namespace sumiplex::ui
