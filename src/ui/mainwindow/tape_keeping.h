#pragma once

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>

class QWidget;

namespace sumiplex::platform {
class TapeJournal;
struct UnsavedTape;
} // namespace sumiplex::platform

namespace sumiplex::engine {
class Tape;
struct CalculationAt;
} // namespace sumiplex::engine

namespace sumiplex::ui {

struct MainLifecycle;
struct Services;
class ToolWindows;
class frmTip3;

/// The kept tapes: the run's journal, the earlier tapes, and a tape or memo that could not be
/// saved, kept in files and named at the next start.
class TapeKeeping {
public:
    /// What the earlier tapes window hands back.
    struct Links {
        std::function<void(const QString&)> takeAmount;
        std::function<void(const engine::CalculationAt&)> checkEarlier;
    };

    TapeKeeping(QWidget& window, const Services& services, const MainLifecycle& life,
                engine::Tape& tape, ToolWindows& tools, Links links);
    TapeKeeping(const TapeKeeping&) = delete;
    TapeKeeping& operator=(const TapeKeeping&) = delete;

    /// Starts the run's journal, which takes every tape line from now on; nothing without a
    /// tape folder.
    void startJournal();
    /// Completes the journal; the lines it could not write, if any.
    [[nodiscard]] std::optional<platform::UnsavedTape> unloadJournal();
    /// The earlier tapes window must not keep the program running once the main one is gone.
    void closeEarlierTapes();
    /// Asks to save the lines the journal could not write, until saved or declined.
    void offerUnsavedTape(const platform::UnsavedTape& lost);
    void keepUnsavedTape(const platform::UnsavedTape& lost);
    /// Keeps a memo that was never saved, and empties the pad so its unload asks nothing.
    void keepUnsavedMemo(frmTip3& pad);
    /// Removes tapes past their keeping time and offers an unfinished one of an earlier run.
    void housekeeping();
    /// Names the files an end without questions kept, once.
    void announceKeptFiles();
    void openEarlierTapes(const QString& chosen);
    void mnuSaveTape_Click();

private:
    [[nodiscard]] QString keptFilePath(const QString& what) const;
    [[nodiscard]] QString caption() const;

    QWidget& m_window;
    const Services& m_services;
    const MainLifecycle& m_life;
    engine::Tape& m_tape;
    ToolWindows& m_tools;
    Links m_links;
    /// The journal of this run, a child of the window so the driver reaches its timer; null
    /// without a tape folder.
    platform::TapeJournal* m_journal = nullptr;
    std::size_t m_journalListener = 0;
};

} // namespace sumiplex::ui
