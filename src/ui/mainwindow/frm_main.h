#pragma once

#include "ui/widgets/list_mirror.h"

#include <QMainWindow>

#include <cstddef>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace sumiplex::platform {
class Clock;
}

namespace sumiplex::engine {
class Engine;
class Tape;
struct View;
struct Requests;
enum class FocusTarget;
} // namespace sumiplex::engine

namespace sumiplex::ui {

class ClickableLabel;
class frmTip2;

/// The calculator window. It assembles the controls and menus, forwards every user event
/// to the engine and renders the engine's view back; it computes nothing itself.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(platform::Clock& clock, QWidget* parent = nullptr);
    ~frmMain() override;

    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    [[nodiscard]] ::sumiplex::engine::Tape& tape() { return *m_tape; }
    [[nodiscard]] ::sumiplex::engine::Engine& engine() { return *m_engine; }
    [[nodiscard]] frmTip2& historyWindow() { return *m_tip2; }

    /// Copies the engine's view into the widgets and carries out its pending requests.
    /// Every handler ends with it; a render asked for while one runs repeats that one.
    void render();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

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

    QAction* addAction(QMenu* menu, const char* name, const QString& caption);
    QAction* addPendingAction(QMenu* menu, const char* name, const QString& caption);
    void addSeparator(QMenu* menu, const char* name);

    bool filterText1(QEvent* event);
    bool filterText3(QEvent* event);
    void activate();
    void openPopup2();
    void showHistory();
    void openTaxDialog();
    void openExchangeRateDialog();

    void renderOnce();
    void renderInputLine(const ::sumiplex::engine::View& view, bool focusText1);
    void renderCaptions(const ::sumiplex::engine::View& view);
    void renderFlags(const ::sumiplex::engine::View& view);
    void renderBoxes(const ::sumiplex::engine::View& view, ::sumiplex::engine::FocusTarget focus);
    void applyRequests(const ::sumiplex::engine::Requests& requests);
    void resizeToTwips(int widthTwips, int heightTwips);

    std::unique_ptr<::sumiplex::engine::Tape> m_tape;
    std::unique_ptr<::sumiplex::engine::Engine> m_engine;
    std::unique_ptr<frmTip2> m_tip2;
    std::size_t m_tapeListener = 0;

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
    bool m_shownOnce = false;

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
    QListWidget* List1 = nullptr;     // recorded totals
    QListWidget* List3 = nullptr;     // amounts that make up the total
    QLineEdit* Text4 = nullptr;       // plain copy of the total for the tool windows
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QFrame* Line4 = nullptr;
    QLabel* sbPanel1 = nullptr; // the line being evaluated
    QLabel* sbPanel2 = nullptr; // the exchange rate
    QTimer* tmrClock = nullptr;
    ListMirror m_list1Mirror;
    ListMirror m_list3Mirror;

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
    QAction* mnuPopUndo = nullptr;
    QAction* mnuPopFix = nullptr;
    QAction* mnuPopu = nullptr;
    QAction* mnuPopB = nullptr;
    QAction* mnuPopDcl = nullptr;
    QAction* mnuOku = nullptr;
    QAction* mnuPopCash = nullptr;
    QAction* mnuCash = nullptr;
};

} // namespace sumiplex::ui
