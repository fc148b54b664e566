// How long tapes are kept: old tapes go to a trash folder, and from there for good.

#pragma once

#include "core/journal/journal_format.h"
#include "core/journal/retention.h"

#include <QString>
#include <QStringList>

namespace sumiplex::platform {

/// The folder inside the tape folder that removed tapes are kept in for a while.
[[nodiscard]] QString tapeTrashFolder(const QString& folder);

/// What the retention rule did at one start.
struct RetentionOutcome {
    journal::RetentionVerdict verdict = journal::RetentionVerdict::NoTapes;
    QStringList trashed; ///< tapes moved to the trash folder
    QStringList removed; ///< tapes removed from the trash folder for good
};

/// Moves the tapes older than `keepDays` to the trash folder and removes those trashed
/// longer than its period, when the clock fits the tapes (journal::planRetention); the
/// running program's `currentFiles` are neither judged nor moved.
RetentionOutcome applyRetention(const QString& folder, journal::LocalTime now, int keepDays,
                                const QStringList& currentFiles);

} // namespace sumiplex::platform
