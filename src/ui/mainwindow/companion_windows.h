#pragma once

#include "ui/widgets/lazy_window.h"

#include <QString>

#include <cstddef>
#include <functional>

class QMainWindow;
class QWidget;

namespace sumiplex::engine {
class Engine;
class Tape;
} // namespace sumiplex::engine

namespace sumiplex::ui {

struct MainLifecycle;
struct Services;
class ToolWindows;
class frmTip2;
class frmTip3;

/// The history window and the memo pad as the main window keeps them: their captions, the
/// memo commands, notes on tape lines, and printing the tape and the memo.
class CompanionWindows {
public:
    /// `render` shows the engine's view; `giveKeyboard` hands the keyboard back to the
    /// input line.
    CompanionWindows(QMainWindow& window, const Services& services, const MainLifecycle& life,
                     engine::Engine& engine, engine::Tape& tape, ToolWindows& tools,
                     LazyWindow<frmTip2>& history, LazyWindow<frmTip3>& memo,
                     std::function<void()> render, std::function<void()> giveKeyboard);

    /// Binds a history window just built and shows it the tape but for the last `pending`
    /// characters, which a paste still collects.
    void setUpHistory(frmTip2& history, std::size_t pending);
    void setUpMemo(frmTip3& memo);
    /// The captions of the windows built so far, after the main window's caption.
    void setCaptions();
    /// The pad asks about an unsaved memo; both windows store their places.
    void unload();

    void showHistory();
    void showMemo();
    void Command2_Click();
    void mnuEditPasteSpecial_Click();
    void mnuCopyPlain_Click();
    void mnuOpen_Click();
    void mnuSaveMemo_Click();
    /// An empty tape has no step to note; the tape only grows, so a step enables it for good.
    void mnuNote_Click();
    void mnuFilePrint_Click();
    void mnuPrintMemo_Click();
    void mnuFilePageSetup_Click();

private:
    void setCaption(frmTip2& history);
    void setCaption(frmTip3& memo);
    /// Asks for the note of tape entry `index` over `over` (the main or the history
    /// window), and gives it to the tape.
    void editNote(std::size_t index, QWidget& over);
    [[nodiscard]] QString caption() const;

    QMainWindow& m_window;
    const Services& m_services;
    const MainLifecycle& m_life;
    engine::Engine& m_engine;
    engine::Tape& m_tape;
    ToolWindows& m_tools;
    LazyWindow<frmTip2>& m_tip2;
    LazyWindow<frmTip3>& m_tip3;
    std::function<void()> m_render;
    std::function<void()> m_giveKeyboard;
};

} // namespace sumiplex::ui
