#pragma once

#include "core/engine/tape_entry.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sumiplex::journal {

// A journal is one UTF-8 file per run of the program, holding the run's tape as it was
// appended. Its first line is a header of fixed width:
//
//   "#SUMIPLEX-TAPE 1 " STATE(9) " " BODY-LENGTH(16 digits) " " VERSION CR LF
//
// so the state and the length can be overwritten in place, without growing the file, even
// on a full disk. The body is the tape text, line by line. A line that begins with the
// unit separator U+001F is a time mark ("YYYY-MM-DD HH:MM:SS") for the tape lines that
// follow it; a tape line that itself begins with U+001F or U+001E is written with one more
// U+001F in front.
//
// A line that begins with the record separator U+001E followed by a capital letter is a
// record: the step behind the text, so nothing needs to be read back out of the words.
// Its fields are separated by TAB; the first names the record and its version. Two kinds:
//
//   U+001E "E2" TAB seq TAB kind TAB flags TAB op TAB end TAB mode TAB input TAB shown
//          TAB operand TAB before TAB value TAB note CR LF
//
// One completed step. `seq` is the entry's index on the run's tape (0 for the first step),
// `kind` a word ("on-total", "number", "percent-of-total", "line-result",
// "percent-of-line", "all-clear", "back", "forward", "rounding", "rounding-undo",
// "tax-line", "total-re-entry", "conversion", "rate-change", "converted-re-entry", "days",
// "register", "tally-start", "tally-step", "tally-end", "tool"), `flags` "-" or "failed", "follows"
// or "failed,follows", `op` the operator character or empty, `end` one of "share", "add",
// "take-off", `mode` one of "off", "up", "down". The amounts are in plain form ("-1234.5",
// no grouping, no trailing zeros), empty when the step has none. In `op`, `input`, `shown`
// and `note` a backslash, TAB, CR and LF are written "\\", "\t", "\r", "\n", and any other
// control character, U+0085, U+2028, U+2029 and an unpaired surrogate "\uXXXX", so a
// record stays one line. The entry's tape lines follow the record, as without records,
// and the record and its lines go to the file in one write, after a time mark when lines
// are written at another time than the last mark's. A step whose text does not end its
// line has its record written alone; the line follows with a later step. An entry begins
// on the tape line that follows its record.
//
//   U+001E "N2" TAB seq TAB note CR LF
//
// The note of entry `seq` from now on (empty removes it). The tape lines as written keep
// the note the entry had then; a reader shows the last one.
//
// A record of an unknown kind is skipped. An entry record of another version, or one that
// cannot be read (cut, a field too many or too few, a bad amount), is skipped too, and the
// entry is read back from its tape lines instead; its lines always show. Files written
// before records were kept hold tape lines and time marks only, and read as they always
// have, with their entries read back from the text.

enum class JournalState {
    Open,      ///< the run is writing it, or ended without closing it (a crash)
    Complete,  ///< closed by a normal exit; the recorded body length is valid
    Recovered, ///< an unfinished journal the user has been offered at a later start-up
};

/// A local date and time to the second.
using LocalTime = std::chrono::local_seconds;

inline constexpr std::string_view kMagic = "#SUMIPLEX-TAPE 1 ";
inline constexpr std::size_t kStateOffset = kMagic.size();
inline constexpr std::size_t kStateWidth = 9;
inline constexpr std::size_t kLengthWidth = 16;
inline constexpr char kMark = '\x1F';
inline constexpr char kRecord = '\x1E';

/// The header line, ended by CR LF.
[[nodiscard]] std::string headerLine(JournalState state, std::uint64_t bodyLength,
                                     std::string_view version);
/// The fixed-width state and length fields, to overwrite at kStateOffset.
[[nodiscard]] std::string stateFields(JournalState state, std::uint64_t bodyLength);

/// "YYYY-MM-DD HH:MM:SS".
[[nodiscard]] std::string formatTime(LocalTime time);
[[nodiscard]] std::optional<LocalTime> parseTime(std::string_view text);

/// The file name of a run started at `start`: "2026-12-07_093012.tape".
[[nodiscard]] std::string fileNameFor(LocalTime start);
/// The start of the run a file name names; nothing for any other name.
[[nodiscard]] std::optional<LocalTime> startFromFileName(std::string_view name);

/// The largest file the tape readers take in whole: a line's length must fit its index, and
/// a bigger file is no tape this program wrote.
inline constexpr std::size_t kMaxTapeFileBytes = std::size_t{1} << 30;

/// UTF-8 of UTF-16 text; an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::string toUtf8(std::u16string_view text);

/// UTF-16 of UTF-8, appended to `out`; false when the bytes are not UTF-8 throughout (each
/// bad sequence then reads as U+FFFD).
bool fromUtf8(std::string_view bytes, std::u16string& out);

/// `text` as one tape line: every line break in it (CR, LF, the Unicode separators) becomes
/// a blank.
[[nodiscard]] std::u16string oneLine(std::u16string_view text);

/// `text` with each of its lines ended by CR LF, wherever it ended at CR LF, LF or a lone
/// CR, and no other break inside a line: the text a tape export writes.
[[nodiscard]] std::u16string tapeLines(std::u16string_view text);

/// Turns the pieces appended to the tape into journal bytes. Only whole lines (ended by
/// LF) come out, each at once, so a crash loses at most the line being written. A line
/// break inside a line is written as a blank: a line of the journal is one step.
class JournalEncoder {
public:
    /// The bytes of the lines `piece` completes, with a time mark in front when the time
    /// differs from the last mark written; empty while the line is unfinished.
    [[nodiscard]] std::string append(std::u16string_view piece, LocalTime now);
    /// The bytes of one completed step: a time mark when the time differs from the last
    /// one written, the entry's record, and the tape lines `piece` (its rendered text)
    /// completes. Never empty, so each step is one write. `seq` is the entry's index on the
    /// tape, by which a later note refers to it.
    [[nodiscard]] std::string appendEntry(const engine::TapeEntry& entry, std::size_t seq,
                                          std::u16string_view piece, LocalTime now);
    /// The record that gives entry `seq` the note `note` (empty: no note).
    [[nodiscard]] static std::string noteRecord(std::size_t seq, std::u16string_view note);
    /// The unfinished line, for the last write before the journal closes.
    [[nodiscard]] std::string takeUnfinished();
    /// Writing starts again in a new file: its first line needs a time mark again.
    void forgetLastMark() { m_lastMark.reset(); }

private:
    static void keepOneLine(std::u16string& line);
    /// Appends to `out` the lines `piece` completes; returns the time mark they need.
    std::string completeLines(std::u16string_view piece, LocalTime now, std::string& out);

    std::u16string m_line;
    std::optional<LocalTime> m_lastMark;
};

/// One step of a tape file: the entry and the 0-based tape line its text begins on.
struct JournalEntry {
    engine::TapeEntry entry;
    std::size_t firstLine = 0;
    /// Read back from the tape text (a file written before entries were kept, or a damaged
    /// record): only what the text shows is known.
    bool recovered = false;
};

/// The first fields of an entry record and of a note record, naming the version of each.
inline constexpr std::string_view kEntryRecordTag = "E2";
inline constexpr std::string_view kNoteRecordTag = "N2";

/// The record line of an entry ("\x1E" "E2" TAB ... CR LF), as described above.
[[nodiscard]] std::string entryRecord(const engine::TapeEntry& entry, std::size_t seq);

/// An entry record's line, its U+001E and its line end taken off, read back; nothing when
/// it is damaged. `seq` receives the entry's index on the tape.
[[nodiscard]] std::optional<engine::TapeEntry> readEntryRecord(std::string_view line,
                                                               std::size_t& seq);
/// A note record's line, its U+001E and its line end taken off: the entry and its note.
[[nodiscard]] std::optional<std::pair<std::size_t, std::u16string>>
readNoteRecord(std::string_view line);

/// Entries read back from tape text alone, one for each line a step can be read from.
[[nodiscard]] std::vector<JournalEntry> recoverEntries(std::u16string_view text);

/// What a journal file holds, read as far as it can be read. Lines end at CR LF, LF or a
/// lone CR; a lone CR is read as CR LF.
struct JournalContents {
    bool isJournal = false; ///< the header was recognised; if not, the whole file is text
    JournalState state = JournalState::Open;
    std::string version;
    /// Marked complete, yet shorter than the length recorded at its close.
    bool truncated = false;
    /// Held bytes that are not UTF-8; each bad sequence reads as U+FFFD.
    bool invalidText = false;
    std::u16string text; ///< the tape text, time marks taken out
    struct Mark {
        std::size_t firstLine; ///< 0-based index of the tape line the time belongs to
        std::string time;      ///< "YYYY-MM-DD HH:MM:SS"
    };
    std::vector<Mark> marks;
    /// The steps, with their notes as last changed; recovered from the text for a file
    /// that holds no records. Each step's time is that of the time mark before it (0 when
    /// there is none): to the second, as the marks hold it.
    std::vector<JournalEntry> entries;
};

[[nodiscard]] JournalContents readJournal(std::string_view bytes);

/// Where the tape lines of a file lie, found without decoding the text, so a very long
/// tape can be shown a screenful at a time from the file's bytes.
struct TapeIndex {
    bool isJournal = false;
    JournalState state = JournalState::Open;
    bool truncated = false;
    bool invalidText = false;
    std::vector<std::size_t> starts;    ///< byte offset of each tape line, escape skipped
    std::vector<std::uint32_t> lengths; ///< its bytes, line end included
    std::vector<JournalContents::Mark> marks;

    [[nodiscard]] std::size_t lineCount() const { return starts.size(); }
};

[[nodiscard]] TapeIndex indexJournal(std::string_view bytes);

/// Tape line `i` of the indexed bytes, decoded, its line end included.
[[nodiscard]] std::u16string lineAt(std::string_view bytes, const TapeIndex& index, std::size_t i);

/// The first `maxBytes` bytes (or fewer, to end on a whole character) of tape line `i`,
/// decoded: what is shown of a line too long to lay out whole.
[[nodiscard]] std::u16string lineHeadAt(std::string_view bytes, const TapeIndex& index,
                                        std::size_t i, std::size_t maxBytes);

/// The header of a file, from its first bytes: nothing when it is no journal.
struct JournalHeader {
    JournalState state;
    std::uint64_t bodyLength;
    std::string version;
};
[[nodiscard]] std::optional<JournalHeader> readHeader(std::string_view firstBytes);

} // namespace sumiplex::journal
