#include "platform/tape_journal.h"

#include "core/journal/tape_summary.h"
#include "platform/clock.h"
#include "platform/tape_file_internal.h"

#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sumiplex::platform {
namespace {

using detail::nativeName;
using detail::pwriteAll;
using journal::JournalState;

// Lines arriving keep the data on its way to the disk at most this long.
constexpr int kSyncIntervalMs = 2000;

// Lines written to a new file need a time of their own in front.
void startWithTimeMark(std::string& bytes, journal::LocalTime now) {
    const bool marked = bytes.size() > 1 && bytes[0] == journal::kMark &&
                        bytes[1] != journal::kMark && bytes[1] != journal::kRecord;
    if (!bytes.empty() && !marked)
        bytes = journal::kMark + journal::formatTime(now) + "\r\n" + bytes;
}

} // namespace

QString defaultTapeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Sumiplex/tapes");
}

journal::LocalTime localTime(const Clock& clock) {
    const QDateTime now = clock.now();
    const QDate d = now.date();
    const std::chrono::year_month_day date{std::chrono::year{d.year()},
                                           std::chrono::month{static_cast<unsigned>(d.month())},
                                           std::chrono::day{static_cast<unsigned>(d.day())}};
    return std::chrono::local_days{date} +
           std::chrono::seconds{now.time().msecsSinceStartOfDay() / 1000};
}

TapeJournal::TapeJournal(QString folder, std::string version, const Clock& clock, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_version(std::move(version)), m_clock(clock),
      m_syncTimer(new QTimer(this)) {
    m_syncTimer->setObjectName(QStringLiteral("tmrJournalSync"));
    m_syncTimer->setSingleShot(true);
    m_syncTimer->setInterval(kSyncIntervalMs);
    connect(m_syncTimer, &QTimer::timeout, this, &TapeJournal::tick);
}

TapeJournal::~TapeJournal() {
    (void)close();
}

void TapeJournal::start() {
    // A file-size limit would otherwise end the whole program at the first write past it;
    // the write's own error is handled like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    if (!openNewFile())
        fail(errno);
}

bool TapeJournal::openNewFile() {
    if (!QDir().mkpath(m_folder)) {
        // What errno holds then need not be about the folder ("File exists" for a file in
        // its place); the message names the folder instead.
        errno = 0;
        return false;
    }
    const std::string base = journal::fileNameFor(localTime(m_clock));
    const QString stem = QString::fromStdString(base.substr(0, base.size() - 5));
    for (int n = 1; n < 1000; ++n) {
        const QString name =
            n == 1 ? stem + QStringLiteral(".tape") : QStringLiteral("%1-%2.tape").arg(stem).arg(n);
        const QString path = m_folder + QLatin1Char('/') + name;
        const int fd = ::open(nativeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return false;
        // Held while the run writes, so a second running program does not take this
        // journal for the leftover of a crash.
        (void)::flock(fd, LOCK_EX | LOCK_NB);
        m_fd = fd;
        m_path = path;
        m_bodyLength = 0;
        const std::string header = journal::headerLine(JournalState::Open, 0, m_version);
        if (!writeAll(header)) {
            const int error = errno;
            ::close(m_fd);
            m_fd = -1;
            ::unlink(nativeName(path).constData());
            errno = error;
            return false;
        }
        m_bodyLength = 0; // the header is no part of the body
        m_files.push_back(path);
        return true;
    }
    errno = EEXIST;
    return false;
}

bool TapeJournal::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        m_bodyLength += static_cast<std::uint64_t>(n);
    }
    return true;
}

void TapeJournal::append(std::u16string_view piece) {
    if (m_closed)
        return;
    writeStep(m_encoder.append(piece, localTime(m_clock)));
}

void TapeJournal::appendEntry(const engine::TapeEntry& entry, std::size_t seq,
                              std::u16string_view piece) {
    if (m_closed)
        return;
    writeStep(m_encoder.appendEntry(entry, seq, piece, localTime(m_clock)));
}

void TapeJournal::noteChanged(std::size_t seq, std::u16string_view note) {
    if (m_closed)
        return;
    writeStep(journal::JournalEncoder::noteRecord(seq, note));
}

void TapeJournal::writeStep(const std::string& bytes) {
    if (bytes.empty())
        return;
    if (m_failing) {
        m_pending += bytes;
        return;
    }
    const std::uint64_t lineStart = m_bodyLength;
    if (!writeAll(bytes)) {
        const int error = errno;
        // Cut back to the last whole line, so the file ends where a reader expects.
        m_bodyLength = lineStart;
        m_pending = bytes;
        fail(error);
        return;
    }
    m_dirty = true;
    if (!m_syncTimer->isActive())
        m_syncTimer->start();
}

void TapeJournal::fail(int error) {
    if (m_fd >= 0)
        closeFile(JournalState::Complete);
    startWithTimeMark(m_pending, localTime(m_clock));
    m_encoder.forgetLastMark();
    if (!m_failing) {
        m_failing = true;
        emit writeFailed(reasonText(error));
    }
    m_syncTimer->start();
}

void TapeJournal::tick() {
    if (m_closed)
        return;
    if (!m_failing) {
        if (m_dirty && m_fd >= 0)
            ::fdatasync(m_fd);
        m_dirty = false;
        return;
    }
    if (openNewFile() && writeAll(m_pending)) {
        m_pending.clear();
        m_failing = false;
        ::fdatasync(m_fd);
        emit resumed(m_path);
        return;
    }
    dropNewFile();
    m_syncTimer->start();
}

void TapeJournal::dropNewFile() {
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(nativeName(m_path).constData());
    m_files.removeLast();
}

QString TapeJournal::reasonText(int error) const {
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error))
                      : QStringLiteral("%1 に書き込めません").arg(m_folder);
}

void TapeJournal::closeFile(JournalState state) {
    // A failed write may have left part of a line behind; should cutting it off fail too,
    // the length recorded below still tells a reader where the whole lines end.
    const auto headerSize = journal::headerLine(JournalState::Open, 0, m_version).size();
    [[maybe_unused]] const int cut =
        ::ftruncate(m_fd, static_cast<off_t>(headerSize + m_bodyLength));
    (void)pwriteAll(m_fd, journal::stateFields(state, m_bodyLength),
                    static_cast<off_t>(journal::kStateOffset));
    ::fdatasync(m_fd);
    ::close(m_fd);
    m_fd = -1;
}

std::optional<UnsavedTape> TapeJournal::close() {
    if (m_closed)
        return std::nullopt;
    m_closed = true;
    m_syncTimer->stop();
    std::string last = m_encoder.takeUnfinished();
    int error = 0;
    if (m_fd >= 0) {
        const std::uint64_t whole = m_bodyLength;
        if (last.empty() || writeAll(last)) {
            closeFile(JournalState::Complete);
            return std::nullopt;
        }
        error = errno;
        // The part of the line that was written is cut off again by closeFile.
        m_bodyLength = whole;
        closeFile(JournalState::Complete);
    }
    m_pending += last;
    startWithTimeMark(m_pending, localTime(m_clock));
    if (m_pending.empty())
        return std::nullopt;
    // The last attempt: room may have been made on the disk since the last tick.
    errno = 0;
    if (openNewFile()) {
        if (writeAll(m_pending)) {
            closeFile(JournalState::Complete);
            m_pending.clear();
            return std::nullopt;
        }
        error = errno;
        dropNewFile();
    } else if (errno != 0) {
        error = errno;
    }
    return unsaved(error);
}

UnsavedTape TapeJournal::unsaved(int error) const {
    UnsavedTape lost;
    lost.tape =
        journal::readJournal(journal::headerLine(JournalState::Open, 0, m_version) + m_pending);
    const std::u16string& text = lost.tape.text;
    lost.lineCount = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    if (!text.empty() && text.back() != u'\n')
        ++lost.lineCount; // the line the user was typing when the program ended
    lost.reason = reasonText(error);
    return lost;
}

} // namespace sumiplex::platform
