#pragma once

#include "core/journal/journal_format.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::journal {

// Old tapes go only when everything agrees that they are old: a valid limit, a clock that
// fits the tapes in the folder, a start and a last change both past the limit. A removed
// tape is first moved to a trash folder and stays there for kTrashDays, so a rule that still
// errs costs nothing that cannot be brought back.

/// The longest limit taken as a number of days (a century); anything longer keeps all.
inline constexpr long long kMaxKeepDays = 36525;
/// How long a tape moved to the trash stays there.
inline constexpr int kTrashDays = 30;
/// How far past the newest tape's last change the clock may be and still be believed.
inline constexpr std::chrono::days kClockSlack{366};

/// The limit a stored `TapeKeepDays` text gives: a whole number of days from 1 to
/// kMaxKeepDays, blanks around it allowed. Nothing means keep every tape.
[[nodiscard]] std::optional<int> parseKeepDays(std::u16string_view text);

/// What the user is told once when the stored text keeps every tape, naming the setting.
[[nodiscard]] std::u16string keepEveryTapeNotice(std::u16string_view text);

/// A file in the tape folder or its trash, as the retention rule sees it.
struct StoredTape {
    std::string name;
    bool isJournal; ///< a regular file with a readable header; nothing else is ever removed
    JournalState state;
    LocalTime modified; ///< the file's last change, in local time
};

enum class RetentionVerdict {
    Run,              ///< the clock fits the tapes
    NoTapes,          ///< nothing to judge the clock by, and nothing to remove
    ClockBeforeTapes, ///< now is earlier than a tape's start or last change: the clock is wrong
    ClockFarAhead,    ///< now is more than kClockSlack past the newest change
};

struct RetentionPlan {
    RetentionVerdict verdict = RetentionVerdict::NoTapes;
    std::vector<std::string> toTrash;   ///< tapes past the limit, oldest first
    std::vector<std::string> fromTrash; ///< trashed tapes past kTrashDays, to remove for good
};

/// What the retention rule does at `now` with the folder's earlier `tapes` (the running
/// program's own files left out) and the `trashed` ones, keeping `keepDays` days.
[[nodiscard]] RetentionPlan planRetention(const std::vector<StoredTape>& tapes,
                                          const std::vector<StoredTape>& trashed, LocalTime now,
                                          int keepDays);

} // namespace sumiplex::journal
