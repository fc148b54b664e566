// The tape folder's files opened safely, listed, read, marked and removed; files replaced whole.

#pragma once

#include "core/journal/journal_format.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace sumiplex::platform {

/// A file of the tape folder opened for reading or writing, closed when it goes. Only a
/// regular file that is not a symbolic link is ever opened: the open neither follows a link
/// nor waits on a FIFO or a device, and anything but a regular file is closed again unread.
class TapeFile {
public:
    enum class Mode { Read, ReadWrite };
    TapeFile(const QString& path, Mode mode);
    ~TapeFile();
    TapeFile(const TapeFile&) = delete;
    TapeFile& operator=(const TapeFile&) = delete;

    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    [[nodiscard]] int fd() const { return m_fd; }
    /// Why it is not open: the open's errno, or ELOOP for a link and EINVAL for anything
    /// that is no regular file.
    [[nodiscard]] int error() const { return m_error; }
    /// The file's size and last change, from the open file itself.
    [[nodiscard]] qint64 size() const { return m_size; }
    [[nodiscard]] journal::LocalTime modified() const { return m_modified; }
    /// The whole file; nothing when it cannot be read or is larger than a tape can be.
    [[nodiscard]] std::optional<QByteArray> readAll();

private:
    int m_fd = -1;
    int m_error = 0;
    qint64 m_size = 0;
    journal::LocalTime m_modified{};
};

/// A file in the tape folder named like a tape, as far as its first line tells.
struct TapeFileInfo {
    QString path;
    QString name;
    /// A regular file that is no link; anything else is listed as no tape and never opened.
    bool regular = false;
    std::optional<journal::JournalHeader> header; ///< nothing when it is no journal
    journal::LocalTime modified{};                ///< its last change, when regular
};

/// The `.tape` entries of the folder, in name order (oldest first).
[[nodiscard]] std::vector<TapeFileInfo> listTapeFiles(const QString& folder);

/// The whole of a tape file; nothing when it is no regular file or cannot be read.
[[nodiscard]] std::optional<QByteArray> readTapeBytes(const QString& path);

/// The whole file read; nothing when it cannot be opened.
[[nodiscard]] std::optional<journal::JournalContents> readTapeFile(const QString& path);

/// True while another running program writes the file (it holds the file's lock).
[[nodiscard]] bool tapeFileInUse(const QString& path);

/// Marks a journal file complete or recovered in place; false when it cannot.
[[nodiscard]] bool markTapeFile(const QString& path, journal::JournalState state);

/// Removes a tape the user chose to delete; false when it is no regular file or stays.
[[nodiscard]] bool removeTapeFile(const QString& path);

/// Writes `bytes` to a new file that then replaces `path`; an error message, or nothing.
[[nodiscard]] std::optional<QString> writeFileAtomic(const QString& path, std::string_view bytes);

} // namespace sumiplex::platform
