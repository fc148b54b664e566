// The journal's header line, its times and the names of its files.

#include "core/journal/journal_format.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace sumiplex::journal {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 3> kStateNames = {"open     ", "complete ", "recovered"};

std::string twoDigits(unsigned value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Fields at the given offsets: year(4) month(2) day(2) hour(2) minute(2) second(2).
std::optional<LocalTime> timeFromFields(std::string_view text,
                                        const std::array<std::size_t, 6>& at) {
    const auto y = digitsAt(text, at[0], 4);
    const auto mo = digitsAt(text, at[1], 2);
    const auto d = digitsAt(text, at[2], 2);
    const auto h = digitsAt(text, at[3], 2);
    const auto mi = digitsAt(text, at[4], 2);
    const auto s = digitsAt(text, at[5], 2);
    if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59)
        return std::nullopt;
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)},
                              day{static_cast<unsigned>(*d)}};
    if (!date.ok())
        return std::nullopt;
    return local_days{date} + hours{*h} + minutes{*mi} + seconds{*s};
}

} // namespace

std::string stateFields(JournalState state, std::uint64_t bodyLength) {
    std::string digits = std::to_string(bodyLength);
    std::string out(kStateNames[static_cast<std::size_t>(state)]);
    out += ' ';
    out += std::string(kLengthWidth - std::min(kLengthWidth, digits.size()), '0');
    out += digits;
    return out;
}

std::string headerLine(JournalState state, std::uint64_t bodyLength, std::string_view version) {
    std::string out(kMagic);
    out += stateFields(state, bodyLength);
    out += ' ';
    out += version;
    out += "\r\n";
    return out;
}

std::optional<JournalHeader> readHeader(std::string_view firstBytes) {
    if (!firstBytes.starts_with(kMagic))
        return std::nullopt;
    const std::size_t end = firstBytes.find("\r\n");
    const std::size_t lengthAt = kStateOffset + kStateWidth + 1;
    const std::size_t versionAt = lengthAt + kLengthWidth + 1;
    if (end == std::string_view::npos || end < versionAt || firstBytes[lengthAt - 1] != ' ' ||
        firstBytes[versionAt - 1] != ' ')
        return std::nullopt;
    JournalHeader header{};
    const std::string_view state = firstBytes.substr(kStateOffset, kStateWidth);
    std::size_t s = 0;
    while (s < kStateNames.size() && kStateNames[s] != state)
        ++s;
    if (s == kStateNames.size())
        return std::nullopt;
    header.state = static_cast<JournalState>(s);
    const char* first = firstBytes.data() + lengthAt;
    const auto parsed = std::from_chars(first, first + kLengthWidth, header.bodyLength);
    if (parsed.ec != std::errc{} || parsed.ptr != first + kLengthWidth)
        return std::nullopt;
    header.version = std::string(firstBytes.substr(versionAt, end - versionAt));
    return header;
}

std::string formatTime(LocalTime time) {
    const auto dayStart = floor<days>(time);
    const year_month_day date{dayStart};
    const hh_mm_ss<seconds> clock{time - dayStart};
    std::string out = std::to_string(static_cast<int>(date.year()));
    out = std::string(out.size() < 4 ? 4 - out.size() : 0, '0') + out;
    out += '-' + twoDigits(static_cast<unsigned>(date.month())) + '-' +
           twoDigits(static_cast<unsigned>(date.day())) + ' ' +
           twoDigits(static_cast<unsigned>(clock.hours().count())) + ':' +
           twoDigits(static_cast<unsigned>(clock.minutes().count())) + ':' +
           twoDigits(static_cast<unsigned>(clock.seconds().count()));
    return out;
}

std::optional<LocalTime> parseTime(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    return timeFromFields(text, {0, 5, 8, 11, 14, 17});
}

std::string fileNameFor(LocalTime start) {
    std::string stamp = formatTime(start); // YYYY-MM-DD HH:MM:SS
    return stamp.substr(0, 10) + '_' + stamp.substr(11, 2) + stamp.substr(14, 2) +
           stamp.substr(17, 2) + ".tape";
}

std::optional<LocalTime> startFromFileName(std::string_view name) {
    // A second run within the same second gets a "-2" (and so on) before the extension.
    if (!name.ends_with(".tape") || name.size() < 22 || name[4] != '-' || name[7] != '-' ||
        name[10] != '_')
        return std::nullopt;
    const std::string_view rest = name.substr(17, name.size() - 17 - 5);
    if (!rest.empty() && (rest[0] != '-' || !digitsAt(rest, 1, rest.size() - 1)))
        return std::nullopt;
    return timeFromFields(name, {0, 5, 8, 11, 13, 15});
}

} // namespace sumiplex::journal
