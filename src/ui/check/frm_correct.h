#pragma once

#include "core/engine/correction.h"

#include <QWidget>

#include <functional>
#include <span>
#include <vector>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace sumiplex::ui {

/// 訂正: the steps of the current calculation, each editable; every later total follows an
/// edit at once, and the correction is applied to the tape as a block of its own.
class frmCorrect : public QWidget {
    Q_OBJECT
public:
    struct Links {
        /// Makes the corrected calculation the current one: its entries, then its total.
        std::function<void(std::span<const engine::TapeEntry> block, const Decimal& total)> apply;
    };

    frmCorrect(std::vector<engine::TapeEntry> steps, engine::CalculationStart start, Links links,
               QWidget* parent = nullptr);
    ~frmCorrect() override;

    frmCorrect(const frmCorrect&) = delete;
    frmCorrect& operator=(const frmCorrect&) = delete;

    /// A step completed in the main window while the window is open: it joins the rows.
    void stepRecorded(const engine::TapeEntry& entry);
    /// A calculation started in the main window: the rows are its steps (none yet).
    void calculationStarted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GridEntries_Changed(QTableWidgetItem* item);
    void CommandApply_Click();
    void insertRow();
    void deleteRow();
    void recompute();
    void showRows();

    std::vector<engine::CorrectionRow> m_rows;
    engine::CalculationStart m_start;
    engine::Recomputation m_result;
    Links m_links;

    QTableWidget* GridEntries = nullptr;
    QPushButton* CommandApply = nullptr;
    QPushButton* CommandCancel = nullptr;
};

} // namespace sumiplex::ui
