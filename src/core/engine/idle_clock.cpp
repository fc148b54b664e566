#include "core/engine/idle_clock.h"

namespace sumiplex::engine {

namespace {

using std::chrono::minutes;
using std::chrono::seconds;

minutes minuteOfDay(seconds t) {
    static constexpr minutes kDay = std::chrono::hours(24);
    return (std::chrono::floor<minutes>(t) % kDay + kDay) % kDay;
}

} // namespace

std::u16string clockFace(seconds timeOfDay) {
    const auto minute = minuteOfDay(timeOfDay).count();
    const auto hh = minute / 60;
    const auto mm = minute % 60;
    return {static_cast<char16_t>(u'0' + hh / 10), static_cast<char16_t>(u'0' + hh % 10), u':',
            static_cast<char16_t>(u'0' + mm / 10), static_cast<char16_t>(u'0' + mm % 10)};
}

bool idleClockShows(seconds now, std::optional<seconds> lastInput) {
    if (!lastInput)
        return true;
    // The clock face's minute and hour fields are compared each on its own: five minutes
    // on within the hour, or any later hour (10:58 to 11:02 counts, as the hour went up).
    // A time of day earlier than the last input means the day rolled over; the fields alone
    // would then keep the clock hidden for good, so that counts as a later hour too.
    const minutes current = minuteOfDay(now);
    const minutes last = minuteOfDay(*lastInput);
    return current.count() % 60 >= last.count() % 60 + 5 ||
           current.count() / 60 >= last.count() / 60 + 1 || current < last;
}

} // namespace sumiplex::engine
