// How long tapes are kept: old tapes go to a trash folder, and from there for good.

#include "platform/tape_retention.h"
#include "platform/tape_file.h"
#include "platform/tape_file_internal.h"

#include <QDir>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace sumiplex::platform {

using detail::isRegularEntry;
using detail::localTimeOf;
using detail::nativeName;
using journal::JournalState;

namespace {

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

QString tapeTrashFolder(const QString& folder) {
    return folder + QStringLiteral("/trash");
}

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

} // namespace sumiplex::platform
