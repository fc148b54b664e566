#pragma once

#include <QString>

#include <optional>

namespace sumiplex::platform {

// Memo text files: lines ended by CR LF.

struct MemoFileRead {
    std::optional<QString> text; ///< set on success
    QString error;               ///< names the file and the reason; empty on success
    /// The file holds bytes that are neither UTF-8 nor CP932: `text` has them replaced by
    /// U+FFFD, so saving it would not give the file back. The user decides first.
    bool damaged = false;
};

/// Reads a memo file: UTF-8 (with or without a byte-order mark) when the bytes are valid
/// UTF-8, otherwise the Japanese narrow code page (CP932, Shift_JIS); a file with a UTF-16
/// or UTF-32 byte-order mark is read in that encoding. A file with a NUL byte, or with
/// too many control codes and stray bytes to be text, is refused with an error; a text
/// file with a few stray bytes is read with `damaged` set. The file's lines may
/// end in CR LF, LF or CR; the result is each line followed by CR LF, so a file of three
/// lines gives three CR LF-ended lines and an empty file gives the empty text.
[[nodiscard]] MemoFileRead readMemoFile(const QString& path);

/// Writes the memo followed by one CR LF, in the system's encoding (UTF-8 here), with every
/// line ended by CR LF (lone LF and lone CR become CR LF). The text goes to a new file in the
/// same folder that then replaces the old one, so a failed or interrupted save leaves any
/// existing file as it was. Nothing on success, else a message naming the file and reason.
[[nodiscard]] std::optional<QString> writeMemoFileAtomic(const QString& path, const QString& memo);

/// Line ends made CR LF: the form the memo keeps its text in.
[[nodiscard]] QString withCrLf(const QString& text);

} // namespace sumiplex::platform
