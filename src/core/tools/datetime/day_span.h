#pragma once

#include "core/tools/datetime/calendar.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sumiplex::datetime {

/// The two ways the days window counts; they differ only in the words they write.
enum class DaysMode { DayCount, Age };

/// The caption of the middle panel that puts the days window in age mode.
inline constexpr std::u16string_view kAgeCaption = u"年齢計算(&E)";
/// The caption the day-count menu items give the middle panel.
inline constexpr std::u16string_view kDayCountCaption = u"日数計算(&E)";

/// Age mode for exactly kAgeCaption, day-count mode for any other caption.
[[nodiscard]] DaysMode modeFromCaption(std::u16string_view caption);

/// The span between two dates, counted from the earlier to the later whichever comes first.
struct DaySpan {
    std::int16_t years = 0;
    std::int16_t months = 0; ///< whole months beyond the years, 0..11
    std::int16_t days = 0;   ///< days beyond the months
    std::int32_t dayCount = 0;
};

/// Years, months and days of the span: a month borrowed for the days has the length of the
/// earlier date's month, and a span from the last day of a month to the last day of a later
/// month counts whole months (and years) with no days.
[[nodiscard]] DaySpan RecalcDays(const Date& first, const Date& second);

/// The result line of the middle panel: the grouped day count and the span in the mode's words.
[[nodiscard]] std::u16string resultLine(const DaySpan& span, DaysMode mode);

/// What the memo button appends: the mode's lines, each ended by CR LF, then an empty line.
/// `eraLine` is the era line shown under the dates (written only in age mode).
[[nodiscard]] std::u16string daysMemoText(const Date& first, const Date& second,
                                          const DaySpan& span, DaysMode mode,
                                          std::u16string_view eraLine);

/// The two lines, in English, a click on the result line appends to the history tape.
[[nodiscard]] std::u16string daysTapeText(const DaySpan& span);

} // namespace sumiplex::datetime
