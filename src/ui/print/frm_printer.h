#pragma once

#include "platform/printing.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace sumiplex::ui {

/// The program's print dialog (modal): pick one of the installed printers, see and change
/// its paper size, see its paper source and copies limit, open its own settings, then
/// confirm or cancel. It prints nothing itself: it makes the chosen printer the current
/// one and answers PrintConfirmed().
class frmPrinter : public QDialog {
    Q_OBJECT
public:
    explicit frmPrinter(platform::Printing& printing, QWidget* parent = nullptr);

    /// True only after the print button; false after cancel, the close box, or while open.
    [[nodiscard]] bool PrintConfirmed() const { return m_printConfirmed; }
    /// 0-based index of the chosen printer in the installed list; -1 with none installed.
    [[nodiscard]] int SelectedPrinterIndex() const { return m_selectedPrinterIndex; }

    /// Refills the paper group for the current printer.
    void FillPaperLists();
    /// Puts the description of the current paper into the paper list's text.
    void ShowPaperDescription();

private:
    void buildControls();
    void Combo3_Click(int index);
    void Combo2_Click(int index);
    void Command3_Click();
    void Command1_Click();
    /// Greys out the paper group after a driver query failed.
    void disablePaperGroup();

    platform::Printing& m_printing;
    QStringList m_printers;
    QList<platform::PaperSize> m_papers;
    bool m_printConfirmed = false;
    int m_selectedPrinterIndex = -1;

    QGroupBox* Frame2;
    QLabel* Label1;
    QComboBox* Combo3; // installed printers
    QPushButton* Command3;
    QLabel* Label4; // the driver settings could not be shown
    QLabel* Label6; // maximum copies, or that no printer is installed
    QGroupBox* Frame1;
    QLabel* Label2;
    QComboBox* Combo2; // paper sizes by the driver's names
    QComboBox* Combo1; // hidden: the paper codes' names, in step with Combo2
    QLabel* Label3;
    QLabel* Label7; // paper source
    QLabel* Label8;
    QPushButton* Command1;
    QPushButton* Command5;
};

} // namespace sumiplex::ui
