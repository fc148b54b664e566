#pragma once

#include "core/tools/cash/printout.h"
#include "ui/tools/cash/cash_links.h"
#include "ui/widgets/tool_window_keys.h"

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace sumiplex::cash {
class CashBreakdown;
}

namespace sumiplex::ui {

class EntryGridModel;
class SummaryGridModel;

/// The denomination breakdown: the notes and coins each amount of the main window's total
/// needs, their summary, an exchange up to a rounder principal, and a paste to the memo.
/// Modeless; every activation rebuilds it from the main window. Closing it unloads it, and
/// the main window builds a new one for the next opening.
class DialogCash : public ToolWindow {
    Q_OBJECT
public:
    explicit DialogCash(CashLinks links, QWidget* parent = nullptr);
    ~DialogCash() override;

    DialogCash(const DialogCash&) = delete;
    DialogCash& operator=(const DialogCash&) = delete;

    [[nodiscard]] const cash::CashBreakdown& model() const { return *m_model; }
    /// What the print button prints: the summary's counts and amounts (grouped) and its
    /// total, as the window shows them now (after an exchange, the exchanged summary).
    [[nodiscard]] cash::DenominationPrintout printout() const;
    /// The rebuild of an activation, also for callers that show the window where no window
    /// manager activates it.
    void Form_Activate();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOutControls();
    void connectControls();
    void Command1_Click();
    void Command2_Click();
    void renderEntries();
    void render();

    CashLinks m_links;
    std::unique_ptr<cash::CashBreakdown> m_model;
    // The tables are as the last rebuild left them and the next activation is no switch by
    // the user (the first one after the window was built, or the return from the memo pad a
    // paste showed): it rebuilds only if the main window changed meanwhile.
    bool m_tablesKept = false;
    std::u16string m_mainTotal; // the main window's total the last rebuild compared with

    EntryGridModel* m_entryGrid = nullptr;
    SummaryGridModel* m_summaryGrid = nullptr;

    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;      // principal for the exchange
    QPushButton* Command1 = nullptr; // exchange
    QPushButton* Command2 = nullptr; // paste the summary to the memo
    QPushButton* Command3 = nullptr; // print the summary
    QTableView* MSFlexGrid1 = nullptr;
    QTableView* MSFlexGrid2 = nullptr;
    QLabel* Label1 = nullptr; // the summary's total
    QLabel* Label2 = nullptr; // the exchange's difference
    QLabel* Label3 = nullptr; // warning: the summary does not make the total
    QPushButton* OKButton = nullptr;
};

} // namespace sumiplex::ui
