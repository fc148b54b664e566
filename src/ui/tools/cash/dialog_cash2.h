#pragma once

#include "core/tools/cash/printout.h"
#include "ui/tools/cash/cash_links.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace sumiplex::ui {

class EntryGridModel;
class SummaryGridModel;

/// The result of a cash tally: the counts the user entered in the main window, the amount
/// of each denomination and the total, to paste into the memo. Modeless and single: a new
/// tally refills it. Closing it unloads it.
class DialogCash2 : public QWidget {
    Q_OBJECT
public:
    explicit DialogCash2(CashLinks links, QWidget* parent = nullptr);
    ~DialogCash2() override;

    DialogCash2(const DialogCash2&) = delete;
    DialogCash2& operator=(const DialogCash2&) = delete;

    /// Fills every grid, box and caption from a tally's counts (index 0 the total) and
    /// shows the paste button again.
    void fill(const std::array<double, 10>& counts);

    [[nodiscard]] bool isUnloaded() const { return m_unloaded; }
    /// What the print button prints: the counts of the last filling (edits of the boxes
    /// do not change them), amounts and total written plain.
    [[nodiscard]] cash::DenominationPrintout printout() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void layOutControls();
    void Command2_Click();

    CashLinks m_links;
    bool m_unloaded = false;
    std::array<double, 10> m_tallyCounts{}; // TallyCounts: the total, then the nine counts

    EntryGridModel* m_entryGrid = nullptr;
    SummaryGridModel* m_summaryGrid = nullptr;

    QGroupBox* Frame1 = nullptr;
    std::array<QLineEdit*, 10> m_texts{}; // Text0 the total, Text1..Text9 the counts
    QPushButton* Command2 = nullptr;      // paste the tally to the memo
    QPushButton* Command3 = nullptr;      // print the tally
    QTableView* MSFlexGrid1 = nullptr;
    QTableView* MSFlexGrid2 = nullptr;
    QLabel* Label1 = nullptr; // the total
    QPushButton* OKButton = nullptr;
};

} // namespace sumiplex::ui
