#pragma once

#include "ui/widgets/tool_window_keys.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace sumiplex {
class Decimal;
}

namespace sumiplex::units {
class UnitDialog;
enum class Kind;
struct PanelView;
struct SentResult;
} // namespace sumiplex::units

namespace sumiplex::platform {
class SettingsStore;
}

namespace sumiplex::ui {

class ClickableLabel;
class frmMain;

/// The unit-conversion window: three conversion panels (length, mass, volume), the unit
/// price of the last converted unit and the Q'TY line. Modeless; "close" only hides it and
/// keeps its contents, the frame's close box unloads it (saving its position and decimal
/// place) and it is deleted then. Results go to the main window's tape, input line and
/// memo pad.
class DialogTon : public ToolWindow {
    Q_OBJECT
public:
    /// Builds the window and loads it: position, decimal place, the first units selected
    /// and converted, the main window's exchange rate in the rate box.
    DialogTon(platform::SettingsStore& settings, frmMain& main);
    ~DialogTon() override;

    DialogTon(const DialogTon&) = delete;
    DialogTon& operator=(const DialogTon&) = delete;

    /// The main window's menu hands over a non-zero total for the quantity boxes.
    void takeTotal(const Decimal& total);

    [[nodiscard]] const units::UnitDialog& model() const { return *m_model; }

protected:
    void storeOnClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QGroupBox* frame = nullptr;
        QLineEdit* quantity = nullptr;
        QComboBox* source = nullptr;
        QComboBox* target = nullptr;
        ClickableLabel* result = nullptr;
        QPushButton* memo = nullptr;
    };

    void buildControls();
    void buildPanel(int number);
    void buildPricePanels();
    void buildPopup();
    void layOut();
    void placeText6();
    void connectControls();
    void connectPanel(units::Kind kind);

    void priceLabelMouseDown(Qt::MouseButton button);
    void sendToMain(const std::optional<units::SentResult>& sent);
    void pasteToMemo(const std::optional<std::u16string>& text);
    void render();
    void renderPanel(const Panel& panel, const units::PanelView& view);

    platform::SettingsStore& m_settings;
    frmMain& m_main;
    std::unique_ptr<units::UnitDialog> m_model;

    std::array<Panel, 3> m_panels; // Frame1..3, Text1..3, Combo1..6, Label1..3

    QGroupBox* Frame4 = nullptr;      // unit price
    ClickableLabel* Label4 = nullptr; // "Unit Price 1 " + source symbol
    QLineEdit* Text4 = nullptr;       // price of one source unit
    ClickableLabel* Label5 = nullptr; // unit-price line
    QLineEdit* Text5 = nullptr;       // exchange rate, yen per dollar
    QPushButton* Command1 = nullptr;  // recompute the unit price
    QPushButton* Command6 = nullptr;  // unit price in yen
    QPushButton* Command7 = nullptr;  // unit price in dollars
    QPushButton* Command2 = nullptr;  // unit-price lines to the memo
    ClickableLabel* Label7 = nullptr; // caption around the decimal place
    QLineEdit* Text6 = nullptr;       // decimal place of the rounding commands
    QGroupBox* Frame5 = nullptr;      // Q'TY
    QLineEdit* Text7 = nullptr;       // quantity
    QLabel* Label9 = nullptr;         // target unit name
    ClickableLabel* Label8 = nullptr; // Q'TY line
    QPushButton* Command8 = nullptr;  // Q'TY line to the memo
    QLabel* Label6 = nullptr;         // notice on accuracy
    QPushButton* OKButton = nullptr;

    QMenu* mnuPopup = nullptr;
    QAction* mnuPopUndo = nullptr;
    QAction* mnuPopFix = nullptr;
    QAction* mnuPopU = nullptr;
    QAction* mnuPopB = nullptr;
    QAction* mnuPopDcl = nullptr;
};

} // namespace sumiplex::ui
