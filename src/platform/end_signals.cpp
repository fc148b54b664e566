#include "platform/end_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace sumiplex::platform {
namespace {

constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT};

// The write end is all the handler touches: a byte naming the signal, nothing that could
// allocate, lock or re-enter Qt.
int gPipe[2] = {-1, -1};

extern "C" void onEndSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a request; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t n = ::write(gPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
    if (gPipe[0] >= 0 || ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // Slow system calls of the event loop and of file writes go on after the handler.
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndSignals)
        ::sigaction(signal, &action, nullptr);
    m_notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readPipe);
}

EndSignals::~EndSignals() {
    if (m_notifier == nullptr)
        return;
    for (const int signal : kEndSignals)
        std::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

void EndSignals::readPipe() {
    unsigned char bytes[16];
    ssize_t n = 0;
    while ((n = ::read(gPipe[0], bytes, sizeof bytes)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0 && m_received == 0) {
            m_received = bytes[0];
            emit endRequested(m_received);
        }
    }
}

} // namespace sumiplex::platform
