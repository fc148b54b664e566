#pragma once

#include "ui/widgets/lazy_window.h"
#include "ui/widgets/tool_window_keys.h"

#include <QClipboard>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QAction;
class QCalendarWidget;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QPushButton;
class QPixmap;
class QTimer;

namespace sumiplex::platform {
class Clock;
class FileDialogs;
class MessageBoxes;
class PickerDialogs;
class Printing;
class SettingsStore;
class Shell;
class TapeJournal;
struct UnsavedTape;
} // namespace sumiplex::platform

namespace sumiplex {
class Decimal;
} // namespace sumiplex

namespace sumiplex::engine {
class Engine;
struct TapeEntry;
struct CalculationAt;
enum class RegisterKind;
enum class PastedLayout;
class Tape;
struct View;
struct Requests;
enum class FocusTarget;
} // namespace sumiplex::engine

namespace sumiplex::datetime {
enum class DaysMode;
} // namespace sumiplex::datetime

namespace sumiplex::taxrate {
struct RateSummary;
} // namespace sumiplex::taxrate

namespace sumiplex::ui {

class ClickableLabel;
enum class InputLineFocus;
struct ToolLinks;
class PictureList;
class TextListModel;

struct WindowLooks;
class frmTip2;
class frmTip3;
class frmCheck;
class frmCorrect;

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
    [[nodiscard]] PictureList& pictureList() { return *m_pictures; }

    /// A tool window's result for the input line: the program's own assignment of the line
    /// (its change handling runs), the caret at its end and the keyboard focus in it.
    void takeToolResult(const QString& text);

    /// Ends the program as closing the window does (settings saved, the tape's journal
    /// completed, the other windows unloaded) without asking anything: for an end the user
    /// cannot be there for (logout, shutdown, a closed terminal). Open dialogs are cancelled;
    /// an unsaved memo and tape lines the journal could not write are kept in files beside
    /// the tapes, named to the user at the next start.
    void endWithoutQuestions();
    [[nodiscard]] bool endedWithoutQuestions() const { return m_endingQuietly; }

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
    void buildControls();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildHelpMenu();
    void buildContextMenus();
    void connectControls();
    void connectMenus();
    void applyDesignFonts();
    void placeDecimalPlaceBox();

    QAction* addAction(QMenu* menu, const char* name, const QString& caption);
    QAction* addPendingAction(QMenu* menu, const char* name, const QString& caption);
    void addSeparator(QMenu* menu, const char* name);

    bool filterText1(QEvent* event);
    [[nodiscard]] bool isMenuShortcut(const QKeyEvent& key) const;
    bool filterText3(QEvent* event);
    void activate();
    void fitActivationHeight();
    void openPopup2();
    void showHistory();
    void openTaxDialog();
    void openExchangeRateDialog();
    void mmnuTon_Click();

    // Settings and lifecycle (frm_main_settings.cpp).
    void loadSettings();
    void loadViewToggles();
    void loadColours();
    void loadInputFont();
    void loadTotalFont();
    void setUpHistoryWindow(frmTip2& history);
    void setUpMemoPad(frmTip3& memo);
    void setCompanionCaptions(frmTip2& history);
    void setCompanionCaptions(frmTip3& memo);
    void connectHistoryNotes(frmTip2& history);
    void connectMemoPad(frmTip3& memo);
    /// The total label takes `face` (family, bold, italic) and `ink`; the tax lines and the
    /// AC button take its face at their own sizes, the small labels its ink.
    void dressLikeTotal(const QFont& face, std::int32_t ink);
    void loadPicture();
    void queryUnload();
    void unloadWindow();
    void saveSettings();

    // Memo pad, toggles, picture and calendar (frm_main_features.cpp).
    void buildPictureArea();
    void connectFeatures();
    void showMemo();
    void Command2_Click();
    void mnuEditPasteSpecial_Click();
    void mnuCopyPlain_Click();
    void mnuOpen_Click();
    void mnuSaveMemo_Click();
    void mnuFilePrint_Click();
    void mnuPrintMemo_Click();
    void mnuFilePageSetup_Click();
    void mnuCalender_Click();
    void mnuViewStatusBar_Click();
    void mnuPic_Click();
    void mnuViewRefresh_Click();
    void showNextPicture();
    void showPicture(const QString& path, const QPixmap& pixmap);
    void Image1_Click();
    void openPicturePopup();
    void openCalendarPopup();
    bool filterImage1(QEvent* event);
    void applyAccentColour();
    void ensureCalendar();
    void setCalendarShown(bool shown);
    [[nodiscard]] bool calendarShown() const;
    void fitHeight();
    [[nodiscard]] bool pictureAreaShown() const;
    [[nodiscard]] QString mainCaption() const;

    // Options dialog, usage guide and about box (frm_main_options.cpp).
    void connectOptionsMenus();
    void mnuViewOptions_Click();
    void mnuTip_Click();
    void mnuHelpAbout_Click();
    void captionUsageGuide();
    [[nodiscard]] WindowLooks currentLooks() const;
    void applyLooks(const WindowLooks& looks);
    // Date and time tool windows (frm_main_datetime.cpp).
    [[nodiscard]] ToolLinks toolLinks();
    void replaceInputLine(const QString& text, InputLineFocus focus);
    void openDaysDialog(datetime::DaysMode mode);
    // Denomination breakdown and cash tally (frm_main_cash.cpp).
    void connectCashTools();
    void openCashDialog();
    void showCashTally();

    // The kept tapes: journal, earlier tapes, saving the tape (frm_main_tapes.cpp).
    void startTapeJournal();
    [[nodiscard]] std::optional<platform::UnsavedTape> unloadTapes();
    void offerUnsavedTape(const platform::UnsavedTape& lost);
    void tapeHousekeeping();
    void openEarlierTapes(const QString& chosen);
    void mnuSaveTape_Click();
    // Ending without questions, and what such an end kept (frm_main_end.cpp).
    [[nodiscard]] QString keptFilePath(const QString& what) const;
    void keepUnsavedMemo();
    void keepUnsavedTape(const platform::UnsavedTape& lost);
    void announceKeptFiles();
    // Tax by rate window (frm_main_zei.cpp).
    void openZeiDialog();
    void taxRuleChangedForZei();
    void printTaxSummary(QWidget* parent, const taxrate::RateSummary& summary);

    // Grand total, memory and the margin window (frm_main_registers.cpp).
    void connectRegisterTools();
    void loadRegisters();
    /// The program's end closes the calculation: its total joins the grand total, and both
    /// registers are stored.
    void saveRegisters();
    void renderRegisters();
    void sayRegisterOverflow(::sumiplex::engine::RegisterKind kind, bool blocking);

    // A pasted or dropped column of amounts (frm_main_paste.cpp).
    /// Adds the amounts of `text` when it is a column; false when it is a single line,
    /// which the input line pastes as it always has.
    bool pasteColumn(const QString& text, ::sumiplex::engine::PastedLayout layout);
    /// The clipboard's column (or the selection's, for the middle button) into the total.
    bool pasteColumnFrom(QClipboard::Mode mode);
    /// Reads a dropped text or CSV file and adds its amounts; a file that cannot be read
    /// is said so.
    void dropFile(const QString& path);
    /// A drag that carries files is taken by the window, not pasted into a line as text.
    bool filterFileDrag(QEvent* event);

    // Notes on tape lines (frm_main_note.cpp).
    void connectNotes();
    void mnuNote_Click();
    /// Asks for the note of tape entry `index` over `over` (this window or the history
    /// window), and gives it to the tape.
    void editNote(std::size_t index, QWidget& over);

    // Checking and correcting the calculation (frm_main_check.cpp).
    void connectCheck();
    void mnuCheck_Click();
    void mnuCorrect_Click();
    /// Opens the check over `steps`, keyed from the engine `start` gives; `current` when they
    /// are the current calculation's, which a check can then correct.
    void openCheck(
        std::vector<::sumiplex::engine::TapeEntry> steps,
        std::function<std::unique_ptr<::sumiplex::engine::Engine>(::sumiplex::engine::Tape&)> start,
        bool current);
    /// A calculation of an earlier tape, checked from the engine as it stood when it started.
    void checkEarlierCalculation(const ::sumiplex::engine::CalculationAt& calculation);
    void applyCorrection(std::span<const ::sumiplex::engine::TapeEntry> block,
                         const ::sumiplex::Decimal& total);
    void unloadCheckWindows();
    /// Without their close events: the window is going away.
    void deleteCheckWindows();
    /// The engine the input line and the calculator's own controls act on: the check's
    /// while one is open, else the calculation's.
    [[nodiscard]] ::sumiplex::engine::Engine& lineEngine();

    // Companion and tool windows (frm_main_windows.cpp).
    /// Connects every menu item that opens a tool window to its opening.
    void connectToolWindows();
    /// Activates this window with the keyboard in the input line, unless it is going away.
    void giveKeyboardToInputLine();

    void renderOnce();
    void renderInputLine(const ::sumiplex::engine::View& view, bool focusText1);
    void renderCaptions(const ::sumiplex::engine::View& view);
    void renderFlags(const ::sumiplex::engine::View& view);
    void renderBoxes(const ::sumiplex::engine::View& view, ::sumiplex::engine::FocusTarget focus);
    void applyRequests(const ::sumiplex::engine::Requests& requests);
    void resizeToTwips(int widthTwips, int heightTwips);

    Services m_services;
    std::unique_ptr<::sumiplex::engine::Tape> m_tape;
    std::unique_ptr<::sumiplex::engine::Engine> m_engine;
    /// The history and memo windows, hidden at start: built after the first frame is shown,
    /// or sooner when something needs them.
    LazyWindow<frmTip2> m_tip2;
    LazyWindow<frmTip3> m_tip3;
    std::unique_ptr<PictureList> m_pictures;
    /// The tool windows, each by its object name: the usage guide, the unit, tax by rate,
    /// breakdown, tally, margin, days and time windows and the earlier tapes.
    std::unique_ptr<ToolWindows> m_tools;
    std::size_t m_tapeListener = 0;
    /// While a column is added, the tape pieces collect here and reach the history window
    /// a batch at a time rather than line by line.
    std::optional<std::u16string> m_tapeBatch;
    std::size_t m_noteListener = 0;
    /// The journal of this run, a child so the driver reaches its timer; null without a
    /// tape folder.
    platform::TapeJournal* m_journal = nullptr;
    std::size_t m_journalListener = 0;
    /// The check and the correction of the calculation while open; each deletes itself.
    QPointer<frmCheck> m_check;
    QPointer<frmCorrect> m_correct;
    std::size_t m_correctListener = 0;

    // The carets the last render placed, so a render only moves a caret the engine moved
    // and leaves one the user placed.
    struct ShownCarets {
        int text1SelStart = -1;
        int text1SelLength = -1;
        int text2Caret = -1;
        int text3Caret = -1;
    };
    ShownCarets m_shown;
    bool m_inRender = false;
    bool m_renderAgain = false;
    bool m_captionsAnnounced = false; // the figures were told to screen readers once
    bool m_shownOnce = false;
    bool m_keptOnScreen = false;
    bool m_unloaded = false;
    bool m_endingQuietly = false;
    // A double click on the picture ends with a release that is no click of its own.
    bool m_image1ReleaseIsDoubleClick = false;

    // Colours in their stored form: a system colour keeps its index, which the QColor it
    // resolves to no longer tells.
    std::int32_t m_backColour;
    std::int32_t m_lineColour;
    std::int32_t m_totalColour;
    /// The picture shown, saved as "PictureFile"; empty for the built-in picture.
    QString m_pictureFile;

    QLabel* Label10 = nullptr;        // prompt above the input line
    QLineEdit* Text1 = nullptr;       // the input line
    ClickableLabel* Label1 = nullptr; // the total
    ClickableLabel* Label7 = nullptr; // four-digit reading line
    ClickableLabel* Label2 = nullptr; // tax-added line
    ClickableLabel* Label3 = nullptr; // tax-contained line
    ClickableLabel* Label4 = nullptr; // decimal-place caption around Text3
    QLineEdit* Text3 = nullptr;       // decimal place of the rounding commands
    QLabel* Label5 = nullptr;         // currency mark of the total
    QLineEdit* Text2 = nullptr;       // exchange rate, yen per dollar
    ClickableLabel* Label6 = nullptr; // "Now", beside the idle clock
    QLineEdit* txtTime = nullptr;     // idle clock
    QPushButton* Command1 = nullptr;  // AC
    QPushButton* Command4 = nullptr;  // Back
    QPushButton* Command5 = nullptr;  // Forward
    QPushButton* Command2 = nullptr;  // paste the number to the memo
    QPushButton* Command3 = nullptr;  // show the history window
    QPushButton* Command6 = nullptr;  // total to yen
    QPushButton* Command7 = nullptr;  // total to dollars
    QListView* List1 = nullptr;       // recorded totals
    QListView* List3 = nullptr;       // amounts that make up the total
    QLineEdit* Text4 = nullptr;       // plain copy of the total for the tool windows
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QFrame* Line4 = nullptr;
    QListWidget* List2 = nullptr;     // paths of the pictures that can be shown
    QWidget* m_pictureArea = nullptr; // holds the picture and the calendar
    QLabel* Image1 = nullptr;         // picture under the calculator
    QCalendarWidget* MonthView1 = nullptr;
    QLabel* sbPanel1 = nullptr;      // the line being evaluated
    QLabel* sbPanel2 = nullptr;      // the exchange rate
    QLabel* sbPanelGT = nullptr;     // the grand total while it is not zero
    QLabel* sbPanelMemory = nullptr; // the memory while it is not zero
    QTimer* tmrClock = nullptr;
    TextListModel* m_list1Model = nullptr;
    TextListModel* m_list3Model = nullptr;

    QMenu* mnuPopup = nullptr;
    QMenu* mnuPopup3 = nullptr;
    QAction* mnuPopNext = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSaveMemo = nullptr;
    QAction* mnuEditPasteSpecial = nullptr;
    QAction* mnuCopyPlain = nullptr; // the total, ungrouped, to the clipboard
    QAction* mnuCalender = nullptr;
    QAction* mnuPic = nullptr;
    QAction* mnuViewRefresh = nullptr;
    QAction* mnuMemo = nullptr;
    QAction* mnuWWW = nullptr;
    QAction* mnuViewOptions = nullptr;
    QAction* mnuTip = nullptr;
    QAction* mnuHelpAbout = nullptr;

    QMenu* mnuPopup2 = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuDoller = nullptr;
    QAction* mnuYen = nullptr;
    QAction* mnuTaxRate = nullptr;
    QAction* mnuDoll = nullptr;
    QAction* mnuFix = nullptr;
    QAction* mnuJapan = nullptr;
    QAction* mnuTax = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuRireki = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuEarlierTapes = nullptr; // the earlier tapes window
    QAction* mnuSaveTape = nullptr;     // the tape saved as text or CSV
    QAction* mnuNote = nullptr;         // a note on the last step of the tape
    QAction* mnuCheck = nullptr;        // the calculation keyed again and compared
    QAction* mnuCorrect = nullptr;      // the calculation's steps edited
    QAction* mnuPopUndo = nullptr;
    QAction* mnuPopFix = nullptr;
    QAction* mnuPopu = nullptr;
    QAction* mnuPopB = nullptr;
    QAction* mnuPopDcl = nullptr;
    QAction* mnuOku = nullptr;
    QAction* mnuPopCash = nullptr;
    QAction* mnuCash = nullptr;
    QAction* mnuCashTotal = nullptr;
    QAction* mmnuTon = nullptr;
    QAction* mnuZei = nullptr;
    QAction* mnuPopZei = nullptr;
    QAction* mnuGT = nullptr;
    QAction* mnuGTClear = nullptr;
    QAction* mnuMemPlus = nullptr;
    QAction* mnuMemMinus = nullptr;
    QAction* mnuMemRecall = nullptr;
    QAction* mnuMemClear = nullptr;
    QAction* mnuMargin = nullptr;
};

} // namespace sumiplex::ui
