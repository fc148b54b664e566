#pragma once

class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMainWindow;
class QPushButton;
class QTimer;

namespace sumiplex::engine {
class Engine;
} // namespace sumiplex::engine

namespace sumiplex::ui {

class ClickableLabel;
class TextListModel;

/// The calculator's controls. Each given name is also the control's object name, by which
/// the script driver and the tests find it.
struct MainControls {
    /// Builds every control into `window` and lays them out; the hidden lists show the
    /// lists of `engine` as they are.
    void build(QMainWindow& window, engine::Engine& engine);
    /// Fits Text3 into the blank run of Label4's caption, in the caption's present font.
    void placeDecimalPlaceBox();

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
    QLabel* sbPanel1 = nullptr;      // the line being evaluated
    QLabel* sbPanel2 = nullptr;      // the exchange rate
    QLabel* sbPanelGT = nullptr;     // the grand total while it is not zero
    QLabel* sbPanelMemory = nullptr; // the memory while it is not zero
    QTimer* tmrClock = nullptr;
    TextListModel* list1Model = nullptr;
    TextListModel* list3Model = nullptr;

private:
    void applyDesignFonts(const QMainWindow& window);
};

} // namespace sumiplex::ui
