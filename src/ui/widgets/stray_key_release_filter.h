#pragma once

#include <QHash>
#include <QObject>

namespace sumiplex::ui {

/// Drops a key release whose press went to another window. A dialog that closes on
/// Enter's press hands the focus back before the key comes up, so without this the
/// release would reach the window below as a keystroke of its own (and the input line
/// acts on Enter's release). Installed on the application, it covers every window.
class StrayKeyReleaseFilter final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Physical key (or key code where the platform gives no scan code) -> the window its
    // last press went to. Compared only, never dereferenced: that window may be gone.
    QHash<quint64, const QObject*> m_pressedIn;
};

} // namespace sumiplex::ui
