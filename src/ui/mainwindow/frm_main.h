#pragma once

#include "ui/mainwindow/main_controls.h"
#include "ui/mainwindow/main_menus.h"
#include "ui/widgets/lazy_window.h"
#include "ui/widgets/tool_window_keys.h"

#include <QClipboard>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QDragEnterEvent;
class QDropEvent;

namespace sumiplex::platform {
class Clock;
class FileDialogs;
class MessageBoxes;
class PickerDialogs;
class Printing;
class SettingsStore;
class Shell;
} // namespace sumiplex::platform

namespace sumiplex::engine {
class Engine;
class Tape;
} // namespace sumiplex::engine

namespace sumiplex::ui {

class CheckWindows;
class ColumnPaste;
class CompanionWindows;
enum class InputLineFocus;
class MainRender;
class MainSettings;
class MainTools;
class PictureArea;
class PictureList;
class TapeKeeping;
class frmTip2;
class frmTip3;

/// The main window's caption, which the companion windows' captions start from.
inline constexpr QStringView kMainCaption = u"電卓";

/// What the main window takes from its surroundings; the program passes the real ones,
/// tests and the script driver pass fakes. Everything must outlive the window.
struct Services {
    platform::Clock& clock;
    platform::SettingsStore& settings;
    platform::FileDialogs& files;
    platform::MessageBoxes& messages;
    platform::PickerDialogs& pickers;
    platform::Shell& shell;
    platform::Printing& printing;
    /// Searched, with its subfolders, for pictures to show under the calculator.
    QString programFolder;
    /// Where each run keeps its tape; empty for a window that keeps none (tests).
    QString tapeFolder = {};
};

/// Where the main window is in its life, read by the parts it owns.
struct MainLifecycle {
    bool shownOnce = false;     ///< shown, and counted as activated, once
    bool keptOnScreen = false;  ///< moved wholly onto a screen once; never again
    bool unloaded = false;      ///< settings stored and the other windows closed
    bool endingQuietly = false; ///< ending without questions: nobody is there to answer
};

/// The calculator window. It assembles the controls and menus, forwards every user event
/// to the engine and renders the engine's view back; it computes nothing itself.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Services services, QWidget* parent = nullptr);
    ~frmMain() override;

    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    [[nodiscard]] ::sumiplex::engine::Tape& tape() { return *m_tape; }
    [[nodiscard]] ::sumiplex::engine::Engine& engine() { return *m_engine; }
    /// The history and memo windows, built by asking if not built yet.
    [[nodiscard]] frmTip2& historyWindow();
    [[nodiscard]] frmTip3& memoPad();
    [[nodiscard]] PictureList& pictureList();

    /// A tool window's result for the input line: the program's own assignment of the line
    /// (its change handling runs), the caret at its end and the keyboard focus in it.
    void takeToolResult(const QString& text);

    /// Ends the program as closing the window does (settings saved, the tape's journal
    /// completed, the other windows unloaded) without asking anything: for an end the user
    /// cannot be there for (logout, shutdown, a closed terminal). Open dialogs are cancelled;
    /// an unsaved memo and tape lines the journal could not write are kept in files beside
    /// the tapes, named to the user at the next start.
    void endWithoutQuestions();
    [[nodiscard]] bool endedWithoutQuestions() const { return m_life.endingQuietly; }

    /// Copies the engine's view into the widgets and carries out its pending requests.
    /// Every handler ends with it; a render asked for while one runs repeats that one.
    void render();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// Every menu item, in menu order, with what it does.
    [[nodiscard]] std::vector<MenuRow> menuTable();
    void connectControls();
    void connectTape();
    bool filterText1(QEvent* event);
    bool filterText3(QEvent* event);
    void activate();
    void fitActivationHeight();
    void openPopup2();
    void mmnuTon_Click();
    /// The engine the input line and the calculator's own controls act on: the check's
    /// while one is open, else the calculation's.
    [[nodiscard]] engine::Engine& lineEngine();
    void renderOnce();
    /// Activates this window with the keyboard in the input line, unless it is going away.
    void giveKeyboardToInputLine();
    void replaceInputLine(const QString& text, InputLineFocus focus);
    void queryUnload();
    void unloadWindow();

    Services m_services;
    std::unique_ptr<engine::Tape> m_tape;
    std::unique_ptr<engine::Engine> m_engine;
    /// The history and memo windows, hidden at start: built after the first frame is shown,
    /// or sooner when something needs them.
    LazyWindow<frmTip2> m_tip2;
    LazyWindow<frmTip3> m_tip3;
    MainLifecycle m_life;
    MainControls m_ui;
    MainMenus m_menus;
    /// The tool windows, each by its object name: the usage guide, the unit, tax by rate,
    /// breakdown, tally, margin, days and time windows and the earlier tapes.
    std::unique_ptr<ToolWindows> m_tools;
    std::unique_ptr<MainRender> m_render;
    std::unique_ptr<PictureArea> m_picture;
    std::unique_ptr<MainSettings> m_settings;
    std::unique_ptr<CompanionWindows> m_companions;
    std::unique_ptr<CheckWindows> m_checks;
    std::unique_ptr<ColumnPaste> m_paste;
    std::unique_ptr<TapeKeeping> m_tapes;
    std::unique_ptr<MainTools> m_mainTools;
    std::size_t m_tapeListener = 0;
};

} // namespace sumiplex::ui
