#pragma once

#include <QObject>

class QSocketNotifier;

namespace sumiplex::platform {

/// The signals by which the desktop or a terminal ends a program (SIGTERM at logout and
/// shutdown, SIGHUP when the terminal closes, SIGINT for Ctrl+C), turned into an ordinary
/// event: the handler only writes a byte to a pipe, and `endRequested` is emitted from the
/// event loop, where the program can close as it does when the user closes it.
/// One per process; the signals get their default action back once it is destroyed, and
/// keep it should the pipe not be made.
class EndSignals final : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;

    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

signals:
    /// Once, for the first signal; later ones are taken as the same request.
    void endRequested(int signal);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
    int m_received = 0;
};

} // namespace sumiplex::platform
