#pragma once

#include "ui/tools/datetime/tool_links.h"
#include "ui/widgets/tool_window_keys.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace sumiplex::ui {

class ClickableLabel;

/// Time elapsed between two times of day, and a quantity of time in hours, minutes or
/// seconds converted and broken down into hours, minutes and seconds. Modeless; closing it
/// unloads it, and the main window builds a new one for the next opening.
class DialogTime : public ToolWindow {
    Q_OBJECT
public:
    explicit DialogTime(ToolLinks links, QWidget* parent = nullptr);

protected:
private:
    void buildControls();
    void layOutControls();
    void connectControls();
    void Form_Load();
    void elapsedTime();
    void convert();
    void Label5_Click();
    void Command1_Click();

    ToolLinks m_links;

    QGroupBox* Frame1 = nullptr; // elapsed time
    QLabel* Label2 = nullptr;
    QTimeEdit* DTPicker1 = nullptr; // start time
    QLabel* Label3 = nullptr;
    QTimeEdit* DTPicker2 = nullptr; // end time

    QGroupBox* Frame2 = nullptr; // time units
    QLabel* Label6 = nullptr;
    QLineEdit* Text1 = nullptr;       // the quantity to convert
    QComboBox* Combo2 = nullptr;      // its unit
    QComboBox* Combo3 = nullptr;      // the unit to convert to
    ClickableLabel* Label5 = nullptr; // the result line; a click hands the value to the main window
    QLabel* Label7 = nullptr;         // hours, minutes and seconds
    QPushButton* Command1 = nullptr;  // to the memo pad

    QPushButton* OKButton = nullptr;
};

} // namespace sumiplex::ui
