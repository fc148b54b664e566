#pragma once

#include "core/journal/journal_format.h"
// The journal's readers find the folder's files and their retention here too.
#include "platform/tape_file.h"
#include "platform/tape_retention.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

class QTimer;

namespace sumiplex::platform {

class Clock;

/// `$XDG_DATA_HOME/Sumiplex/tapes`: where the program keeps the journal of each run.
[[nodiscard]] QString defaultTapeFolder();

/// The local time of `clock` as the journal core counts it.
[[nodiscard]] journal::LocalTime localTime(const Clock& clock);

/// What the journal could not write when it closed: the last lines of the tape.
struct UnsavedTape {
    journal::JournalContents tape; ///< the lines, with the times they were written
    std::size_t lineCount = 0;
    QString reason; ///< why writing failed, as the system says it
};

/// The journal of the running program. Each step is written to its file as soon as it is
/// complete: its record and the tape lines it completes, in one write, with no buffer a
/// crash could lose; the data reaches the disk
/// on an idle timer and when the journal closes, never while a key is being handled.
///
/// When a write fails (the folder is not writable, the disk is full) the file is cut back
/// to its last whole line and closed, `writeFailed` is emitted once, and the lines that
/// follow are kept in memory; every tick of the timer then tries a new file, which gets
/// them when writing works again.
class TapeJournal final : public QObject {
    Q_OBJECT
public:
    TapeJournal(QString folder, std::string version, const Clock& clock, QObject* parent = nullptr);
    ~TapeJournal() override;

    TapeJournal(const TapeJournal&) = delete;
    TapeJournal& operator=(const TapeJournal&) = delete;

    /// Creates the run's file; on failure the journal waits for writing to work.
    void start();
    /// Text with no step behind it: written as tape lines only.
    void append(std::u16string_view piece);
    /// A completed step: its record and the lines `piece` (its text) completes, in one
    /// write. `seq` is its index on the tape.
    void appendEntry(const engine::TapeEntry& entry, std::size_t seq, std::u16string_view piece);
    /// Entry `seq` has the note `note` from now on (empty: none).
    void noteChanged(std::size_t seq, std::u16string_view note);
    /// A normal exit: writes the unfinished line, syncs and marks the file complete. While
    /// writing fails, the lines kept in memory get one last attempt in a new file; what
    /// still cannot be written is handed back, so the user can keep it elsewhere.
    [[nodiscard]] std::optional<UnsavedTape> close();

    [[nodiscard]] const QString& folder() const { return m_folder; }
    /// The file being written; empty while writing fails.
    [[nodiscard]] QString currentPath() const { return m_fd >= 0 ? m_path : QString(); }
    [[nodiscard]] bool failing() const { return m_failing; }
    /// Every file this run wrote, oldest first (more than one after a failure).
    [[nodiscard]] const QStringList& filesOfThisRun() const { return m_files; }
    [[nodiscard]] QTimer& syncTimer() { return *m_syncTimer; }

signals:
    void writeFailed(const QString& reason);
    void resumed(const QString& path);

private:
    bool openNewFile();
    bool writeAll(std::string_view bytes);
    void writeStep(const std::string& bytes);
    void fail(int error);
    void tick();
    void closeFile(journal::JournalState state);
    void dropNewFile();
    [[nodiscard]] UnsavedTape unsaved(int error) const;
    [[nodiscard]] QString reasonText(int error) const;

    QString m_folder;
    std::string m_version;
    const Clock& m_clock;
    journal::JournalEncoder m_encoder;
    QString m_path;
    QStringList m_files;
    int m_fd = -1;
    std::uint64_t m_bodyLength = 0;
    std::string m_pending; ///< lines not yet on disk while writing fails
    bool m_failing = false;
    bool m_dirty = false;
    bool m_closed = false;
    QTimer* m_syncTimer;
};

} // namespace sumiplex::platform
