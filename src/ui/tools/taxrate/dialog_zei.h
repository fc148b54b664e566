#pragma once

#include "ui/tools/datetime/tool_links.h"
#include "ui/widgets/tool_window_keys.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractItemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTableWidget;

namespace sumiplex::taxrate {
class RateSheet;
struct RateSummary;
} // namespace sumiplex::taxrate

namespace sumiplex::ui {

class ZeiRowsModel;

/// The main window's list of the amounts that make up the total, which the tax by rate
/// window follows. Everything must outlive the window.
struct ZeiSource {
    const std::vector<std::u16string>& amounts;
    /// A model over `amounts`; its row insertions and resets say how the list changed.
    QAbstractItemModel& amountsModel;
    /// The main window's tax fraction rule code, read for every summary.
    std::function<int()> taxRule;
    /// Prints the summary through the print dialog, on behalf of the window `parent`.
    std::function<void(QWidget* parent, const taxrate::RateSummary& summary)> print;
};

/// Consumption tax by rate, as a qualified invoice shows it: each amount of the total is
/// marked standard or reduced rate, and each rate's sum is taxed and rounded once. Modeless;
/// closing it only hides it, so the marks stay while the total's amounts do.
class DialogZei : public ToolWindow {
    Q_OBJECT
public:
    DialogZei(ToolLinks links, ZeiSource source, QWidget* parent = nullptr);
    ~DialogZei() override;

    /// The summary as an invoice's tax summary, one line each, ready to print; empty while
    /// a rate is not valid or the amounts cannot be summed.
    [[nodiscard]] QStringList summaryLines() const;
    /// The main window's tax fraction rule changed: the taxes are worked out again at once.
    void taxRuleChanged();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void storeOnClose() override;

private:
    /// The rows of Grid2.
    enum SummaryRow { kStandardRow, kReducedRow, kTotalRow, kSummaryRows };

    void buildControls();
    void layOutControls();
    void connectControls();
    void Form_Load();
    void followReset();
    void followInsert(int first, int last);
    void toggleRow(int row);
    void rateChanged();
    void storeRate(QLineEdit& box);
    void markRate(QLineEdit& box, bool valid);
    void refreshSummary();
    void showSummary(const taxrate::RateSummary& summary);
    void clearSummary(const QString& message);
    void Command1_Click();
    void Command2_Click();

    ToolLinks m_links;
    ZeiSource m_source;
    std::unique_ptr<taxrate::RateSheet> m_sheet;
    ZeiRowsModel* m_rows = nullptr;
    /// The summary shown; empty while there is none.
    std::unique_ptr<taxrate::RateSummary> m_summary;
    /// What the shown summary was computed from; a summary is only computed again when the
    /// rows, the marks, the rates, the basis or the tax rule changed.
    struct Inputs {
        QString standard;
        QString reduced;
        bool excluded = false;
        int ruleCode = 0;
        bool operator==(const Inputs&) const = default;
    };
    std::optional<Inputs> m_shownFor;

    QLabel* Label1 = nullptr;        // caption of the standard rate
    QLineEdit* Text1 = nullptr;      // standard rate in percent
    QLabel* Label2 = nullptr;        // "%" after it
    QLabel* Label3 = nullptr;        // caption of the reduced rate
    QLineEdit* Text2 = nullptr;      // reduced rate in percent
    QLabel* Label4 = nullptr;        // "%" after it
    QGroupBox* Frame1 = nullptr;     // amount basis
    QRadioButton* Option1 = nullptr; // amounts include their tax (税込)
    QRadioButton* Option2 = nullptr; // tax comes on top (税抜)
    QLabel* Label5 = nullptr;        // caption of the rows, with how to switch a rate
    QTableView* Grid1 = nullptr;     // one row per amount of the total, with its rate
    QTableWidget* Grid2 = nullptr;   // sums and taxes by rate and in all
    QLabel* Label6 = nullptr;        // why there is no summary, when there is none
    QPushButton* Command1 = nullptr; // summary to the memo pad
    QPushButton* Command2 = nullptr; // summary to the history tape
    QPushButton* Command3 = nullptr; // print the summary
    QPushButton* OKButton = nullptr; // close
};

} // namespace sumiplex::ui
