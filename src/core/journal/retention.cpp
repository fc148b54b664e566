#include "core/journal/retention.h"

#include <algorithm>
#include <utility>

namespace sumiplex::journal {

std::optional<int> parseKeepDays(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    long long days = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        days = days * 10 + (c - u'0');
        if (days > kMaxKeepDays)
            return std::nullopt;
    }
    if (days == 0)
        return std::nullopt;
    return static_cast<int>(days);
}

std::u16string keepEveryTapeNotice(std::u16string_view text) {
    // A very long text is the user's, but a notice line has no room for it.
    constexpr std::size_t kShown = 40;
    std::u16string shown = oneLine(text.substr(0, kShown));
    if (text.size() > kShown)
        shown += u'…';
    return u"設定 TapeKeepDays の値「" + shown +
           u"」は 1 から 36525 までの日数ではないため、古い計算履歴も削除せずにすべて残します。";
}

namespace {

// The latest time the folder proves the clock has already seen: a start it named a tape by
// or a change it made to one.
struct Evidence {
    std::optional<LocalTime> latest;
    std::optional<LocalTime> latestChange;

    void add(const StoredTape& tape) {
        if (!tape.isJournal)
            return; // a file put here by hand says nothing about this program's clock
        latestChange = std::max(latestChange.value_or(tape.modified), tape.modified);
        latest = std::max(latest.value_or(tape.modified), tape.modified);
        if (const auto start = startFromFileName(tape.name))
            latest = std::max(*latest, *start);
    }
};

} // namespace

RetentionPlan planRetention(const std::vector<StoredTape>& tapes,
                            const std::vector<StoredTape>& trashed, LocalTime now, int keepDays) {
    RetentionPlan plan;
    Evidence evidence;
    for (const StoredTape& tape : tapes)
        evidence.add(tape);
    for (const StoredTape& tape : trashed)
        evidence.add(tape);
    if (!evidence.latest)
        return plan;
    if (now < *evidence.latest) {
        plan.verdict = RetentionVerdict::ClockBeforeTapes;
        return plan;
    }
    if (now - *evidence.latestChange > kClockSlack) {
        plan.verdict = RetentionVerdict::ClockFarAhead;
        return plan;
    }
    plan.verdict = RetentionVerdict::Run;

    const LocalTime limit = std::chrono::floor<std::chrono::days>(now) -
                            std::chrono::days{std::clamp<long long>(keepDays, 1, kMaxKeepDays)};
    std::vector<std::pair<LocalTime, std::string>> expired;
    for (const StoredTape& tape : tapes) {
        const auto start = startFromFileName(tape.name);
        // Unfinished tapes wait for the user's word; a tape changed within the period is
        // not old, whatever its name says.
        if (start && tape.isJournal && tape.state != JournalState::Open && *start < limit &&
            tape.modified < limit)
            expired.emplace_back(*start, tape.name);
    }
    std::sort(expired.begin(), expired.end());
    for (auto& e : expired)
        plan.toTrash.push_back(std::move(e.second));

    const LocalTime trashLimit = now - std::chrono::days{kTrashDays};
    for (const StoredTape& tape : trashed)
        if (tape.modified < trashLimit)
            plan.fromTrash.push_back(tape.name);
    std::sort(plan.fromTrash.begin(), plan.fromTrash.end());
    return plan;
}

} // namespace sumiplex::journal
