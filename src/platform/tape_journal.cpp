#include "platform/tape_journal.h"

#include "core/journal/tape_summary.h"
#include "platform/clock.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumiplex::platform {
namespace {

using journal::JournalState;

// Lines arriving keep the data on its way to the disk at most this long.
constexpr int kSyncIntervalMs = 2000;

QByteArray nativeName(const QString& path) {
    return QFile::encodeName(path);
}

bool pwriteAll(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

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

namespace {

// Runs in the order they started: "…_093012.tape" before "…_093012-2.tape", which a plain
// comparison of names would put after it.
bool startedBefore(const QString& a, const QString& b) {
    const auto key = [](const QString& name) {
        const bool numbered = name.size() > 17 && name.indexOf(u'-', 17) == 17;
        return std::pair(numbered ? name.left(17)
                                  : name.chopped(std::min<qsizetype>(5, name.size())),
                         numbered ? name.mid(18).chopped(5).toInt() : 1);
    };
    return key(a) < key(b);
}

} // namespace

namespace {

journal::LocalTime localTimeOf(const timespec& when) {
    std::tm parts{};
    const time_t seconds = when.tv_sec;
    if (::localtime_r(&seconds, &parts) == nullptr)
        return {};
    const std::chrono::year_month_day date{
        std::chrono::year{parts.tm_year + 1900},
        std::chrono::month{static_cast<unsigned>(parts.tm_mon + 1)},
        std::chrono::day{static_cast<unsigned>(parts.tm_mday)}};
    return std::chrono::local_days{date} + std::chrono::hours{parts.tm_hour} +
           std::chrono::minutes{parts.tm_min} + std::chrono::seconds{parts.tm_sec};
}

timespec timespecOf(journal::LocalTime when) {
    const auto day = std::chrono::floor<std::chrono::days>(when);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss<std::chrono::seconds> clock{when - day};
    std::tm parts{};
    parts.tm_year = static_cast<int>(date.year()) - 1900;
    parts.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
    parts.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.tm_hour = static_cast<int>(clock.hours().count());
    parts.tm_min = static_cast<int>(clock.minutes().count());
    parts.tm_sec = static_cast<int>(clock.seconds().count());
    parts.tm_isdst = -1;
    return {::mktime(&parts), 0};
}

// A regular file and no link, by the entry itself.
bool isRegularEntry(const QString& path, struct stat* info = nullptr) {
    struct stat st {};
    if (::lstat(nativeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (info)
        *info = st;
    return true;
}

} // namespace

TapeFile::TapeFile(const QString& path, Mode mode) {
    struct stat entry {};
    if (::lstat(nativeName(path).constData(), &entry) != 0) {
        m_error = errno;
        return;
    }
    if (!S_ISREG(entry.st_mode)) {
        m_error = S_ISLNK(entry.st_mode) ? ELOOP : EINVAL;
        return;
    }
    // The entry may change between the look above and the open: O_NOFOLLOW refuses a link
    // outright, O_NONBLOCK keeps a FIFO or a device from holding the open, and fstat turns
    // away whatever is no regular file before a byte is read.
    const int flags =
        (mode == Mode::Read ? O_RDONLY : O_RDWR) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    const int fd = ::open(nativeName(path).constData(), flags);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = EINVAL;
        ::close(fd);
        return;
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    m_size = static_cast<qint64>(st.st_size);
    m_modified = localTimeOf(st.st_mtim);
}

TapeFile::~TapeFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<QByteArray> TapeFile::readAll() {
    if (m_fd < 0 || static_cast<std::uint64_t>(m_size) > journal::kMaxTapeFileBytes)
        return std::nullopt;
    QByteArray bytes;
    bytes.resize(m_size);
    qint64 have = 0;
    while (have < m_size) {
        const ssize_t n =
            ::pread(m_fd, bytes.data() + have, static_cast<std::size_t>(m_size - have),
                    static_cast<off_t>(have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break; // cut while being read: what there was
        have += n;
    }
    bytes.truncate(have);
    return bytes;
}

std::vector<TapeFileInfo> listTapeFiles(const QString& folder) {
    std::vector<TapeFileInfo> files;
    const QDir dir(folder);
    // Links, FIFOs and devices too (QDir::System), so each is listed as what it is.
    QStringList names = dir.entryList({QStringLiteral("*.tape")},
                                      QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), startedBefore);
    for (const QString& name : names) {
        TapeFileInfo info{dir.filePath(name), name, false, std::nullopt, {}};
        if (isRegularEntry(info.path)) {
            TapeFile file(info.path, TapeFile::Mode::Read);
            if (file.isOpen()) {
                info.regular = true;
                info.modified = file.modified();
                char first[256];
                const ssize_t n = ::pread(file.fd(), first, sizeof first, 0);
                if (n > 0)
                    info.header =
                        journal::readHeader(std::string_view(first, static_cast<std::size_t>(n)));
            }
        }
        files.push_back(std::move(info));
    }
    return files;
}

std::optional<QByteArray> readTapeBytes(const QString& path) {
    TapeFile file(path, TapeFile::Mode::Read);
    return file.readAll();
}

std::optional<journal::JournalContents> readTapeFile(const QString& path) {
    const std::optional<QByteArray> bytes = readTapeBytes(path);
    if (!bytes)
        return std::nullopt;
    return journal::readJournal(
        std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
}

bool tapeFileInUse(const QString& path) {
    const TapeFile file(path, TapeFile::Mode::Read);
    return file.isOpen() && ::flock(file.fd(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

bool markTapeFile(const QString& path, JournalState state) {
    const TapeFile file(path, TapeFile::Mode::ReadWrite);
    if (!file.isOpen())
        return false;
    char first[256];
    const ssize_t n = ::pread(file.fd(), first, sizeof first, 0);
    if (n <= 0)
        return false;
    const std::string_view head(first, static_cast<std::size_t>(n));
    if (!journal::readHeader(head))
        return false;
    const auto headerSize = static_cast<std::uint64_t>(head.find("\r\n") + 2);
    const std::string fields =
        journal::stateFields(state, static_cast<std::uint64_t>(file.size()) - headerSize);
    return pwriteAll(file.fd(), fields, static_cast<off_t>(journal::kStateOffset)) &&
           ::fdatasync(file.fd()) == 0;
}

bool removeTapeFile(const QString& path) {
    return isRegularEntry(path) && ::unlink(nativeName(path).constData()) == 0;
}

QString tapeTrashFolder(const QString& folder) {
    return folder + QStringLiteral("/trash");
}

namespace {

// The trash folder, made when missing; nothing when the name is taken by anything but a
// real folder (a link would carry the tapes out of the tape folder).
std::optional<QString> trashFolder(const QString& folder, bool create) {
    const QString trash = tapeTrashFolder(folder);
    const QByteArray native = nativeName(trash);
    if (create)
        (void)::mkdir(native.constData(), 0700);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return trash;
}

std::vector<journal::StoredTape> trashedTapes(const QString& trash) {
    std::vector<journal::StoredTape> tapes;
    const QDir dir(trash);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.tape")}, QDir::Files | QDir::System)) {
        struct stat st {};
        if (isRegularEntry(dir.filePath(name), &st))
            tapes.push_back(
                {name.toStdString(), true, JournalState::Complete, localTimeOf(st.st_mtim)});
    }
    return tapes;
}

} // namespace

RetentionOutcome applyRetention(const QString& folder, journal::LocalTime now, int keepDays,
                                const QStringList& currentFiles) {
    std::vector<journal::StoredTape> stored;
    for (const TapeFileInfo& info : listTapeFiles(folder)) {
        if (currentFiles.contains(info.path))
            continue;
        stored.push_back({info.name.toStdString(), info.regular && info.header.has_value(),
                          info.header ? info.header->state : JournalState::Open, info.modified});
    }
    const std::optional<QString> existingTrash = trashFolder(folder, false);
    const std::vector<journal::StoredTape> trashed =
        existingTrash ? trashedTapes(*existingTrash) : std::vector<journal::StoredTape>{};
    const journal::RetentionPlan plan = journal::planRetention(stored, trashed, now, keepDays);
    RetentionOutcome outcome;
    outcome.verdict = plan.verdict;
    if (plan.verdict != journal::RetentionVerdict::Run)
        return outcome;
    if (!plan.toTrash.empty()) {
        const std::optional<QString> trash = trashFolder(folder, true);
        // The move's own time, so the trash keeps each tape its full period.
        const timespec moved = timespecOf(now);
        const timespec times[2] = {moved, moved};
        for (const std::string& name : plan.toTrash) {
            const QString qname = QString::fromStdString(name);
            const QString from = folder + QLatin1Char('/') + qname;
            if (!trash || !isRegularEntry(from))
                continue;
            const QByteArray to = nativeName(*trash + QLatin1Char('/') + qname);
            if (::renameat2(AT_FDCWD, nativeName(from).constData(), AT_FDCWD, to.constData(),
                            RENAME_NOREPLACE) != 0)
                continue;
            (void)::utimensat(AT_FDCWD, to.constData(), times, AT_SYMLINK_NOFOLLOW);
            outcome.trashed.push_back(qname);
        }
    }
    for (const std::string& name : plan.fromTrash) {
        const QString qname = QString::fromStdString(name);
        if (removeTapeFile(*existingTrash + QLatin1Char('/') + qname))
            outcome.removed.push_back(qname);
    }
    return outcome;
}

std::optional<QString> writeFileAtomic(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        return QStringLiteral("ファイル「%1」に書き込めませんでした。\n%2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return std::nullopt;
}

} // namespace sumiplex::platform
