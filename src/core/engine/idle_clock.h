#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace sumiplex::engine {

/// "hh:mm" of a time of day; a time outside one day wraps into it.
[[nodiscard]] std::u16string clockFace(std::chrono::seconds timeOfDay);

/// Whether the idle clock shows at `now` over an empty input line: always when nothing was
/// typed since start-up (`lastInput` empty), else once five minutes have passed within the
/// hour or the hour went up.
[[nodiscard]] bool idleClockShows(std::chrono::seconds now,
                                  std::optional<std::chrono::seconds> lastInput);

} // namespace sumiplex::engine
