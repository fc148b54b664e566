#pragma once

#include "core/tools/cash/printout.h"
#include "core/tools/cash/tally.h"
#include "ui/tools/cash/cash_links.h"
#include "ui/widgets/tool_window_keys.h"

#include <array>
#include <optional>

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
class DialogCash2 : public ToolWindow {
    Q_OBJECT
public:
    explicit DialogCash2(CashLinks links, QWidget* parent = nullptr);
    ~DialogCash2() override;

    DialogCash2(const DialogCash2&) = delete;
    DialogCash2& operator=(const DialogCash2&) = delete;

    /// Fills the count boxes from a tally's counts (index 0 the total reached, which the
    /// counts make again), shows the paste button again and puts the focus on the close
    /// button, where a stray key changes nothing.
    void fill(const cash::Counts& counts);

    /// What the print button prints: the counts as the boxes hold them and their total,
    /// amounts and total written plain. Empty while a count box holds no number.
    [[nodiscard]] std::optional<cash::DenominationPrintout> printout() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOutControls();
    void Command2_Click();
    /// Reads the count boxes and shows what they make: the total, both grids and the
    /// caption follow every edit of a count.
    void countsChanged();
    void putUpForCorrection(std::size_t box);

    CashLinks m_links;
    cash::TallySheet m_sheet; // what the count boxes make; its tally is what pastes and prints

    EntryGridModel* m_entryGrid = nullptr;
    SummaryGridModel* m_summaryGrid = nullptr;

    QGroupBox* Frame1 = nullptr;
    // Text0 the total (read-only: it is always the counts' sum), Text1..Text9 the counts.
    std::array<QLineEdit*, 10> m_texts{};
    QPushButton* Command2 = nullptr; // paste the tally to the memo
    QPushButton* Command3 = nullptr; // print the tally
    QTableView* MSFlexGrid1 = nullptr;
    QTableView* MSFlexGrid2 = nullptr;
    QLabel* Label1 = nullptr; // the total
    QPushButton* OKButton = nullptr;
};

} // namespace sumiplex::ui
