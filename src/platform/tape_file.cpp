// The tape folder's files opened safely, listed, read, marked and removed; files replaced whole.

#include "platform/tape_file.h"
#include "platform/tape_file_internal.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sumiplex::platform {
namespace detail {

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

// A regular file and no link, by the entry itself.
bool isRegularEntry(const QString& path, struct stat* info) {
    struct stat st {};
    if (::lstat(nativeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (info)
        *info = st;
    return true;
}

} // namespace detail

using detail::isRegularEntry;
using detail::localTimeOf;
using detail::nativeName;
using detail::pwriteAll;

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

bool markTapeFile(const QString& path, journal::JournalState state) {
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
