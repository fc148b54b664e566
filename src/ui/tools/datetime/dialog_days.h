#pragma once

#include "core/tools/datetime/business_days.h"
#include "core/tools/datetime/day_span.h"
#include "ui/tools/datetime/tool_links.h"
#include "ui/widgets/tool_window_keys.h"

#include <QDate>

#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sumiplex::ui {

class ClickableLabel;
class SpinButton;

/// Days between two dates (or an age), a date plus a number of days, and era years to
/// Western years. Modeless; closing it unloads it, and the main window builds a new one for
/// the next opening.
class DialogDays : public ToolWindow {
    Q_OBJECT
public:
    explicit DialogDays(ToolLinks links, QWidget* parent = nullptr);

    /// What the main window's menu items set before showing the window: the mode, the
    /// calendar's date in the first and third pickers, today in the second, and in day-count
    /// mode a total that is not 0 as the number of days to add.
    void prepare(datetime::DaysMode mode, const QDate& calendarDate, const QDate& today,
                 const std::optional<QString>& total);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Which conversion row; the first drives DTPicker1, the second DTPicker2.
    enum class Row { First, Second };
    // Whether an empty era year box stops the conversion before the span is recomputed.
    enum class EmptyYear { Stop, Recalculate };

    void buildControls();
    void layOutControls();
    void connectControls();
    void Form_Load();
    void RecalcDays();
    void convertEraRow(Row row, EmptyYear empty);
    void addDays();
    void showBusinessDays();
    void showHolidayRange();
    void CheckYearEnd_Click();
    [[nodiscard]] datetime::YearEndDays yearEnd() const;
    void Label1_Click();
    void Command2_Click();
    [[nodiscard]] datetime::DaysMode mode() const;

    // The dates and mode of a result as the memo received it.
    struct PastedResult {
        datetime::Date first;
        datetime::Date second;
        datetime::DaysMode mode;
        datetime::YearEndDays yearEnd; // as the business-day line counted
        bool operator==(const PastedResult&) const = default;
    };
    // The result the window shows now, as a paste would record it.
    [[nodiscard]] PastedResult resultShown() const;

    ToolLinks m_links;
    datetime::DaySpan m_span;
    datetime::BusinessCount m_business;
    // Whether the date plus business days stepped over days whose holidays are not known.
    bool m_plusHolidaysUnknown = false;
    // Set by a paste to the memo and kept until the dates change: every activation
    // recomputes the span, and must not offer the same result for pasting a second time.
    std::optional<PastedResult> m_pasted;

    QGroupBox* Frame1 = nullptr; // era years to Western years
    QComboBox* Combo1 = nullptr;
    QLineEdit* Text39 = nullptr; // era year of the first row
    SpinButton* UpDown1 = nullptr;
    QLabel* Label44 = nullptr; // Western year of the first row
    QComboBox* Combo2 = nullptr;
    QLineEdit* Text3 = nullptr; // era year of the second row
    SpinButton* UpDown2 = nullptr;
    QLabel* Label6 = nullptr; // Western year of the second row

    QGroupBox* Frame2 = nullptr; // its caption carries the mode
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label2 = nullptr;
    QDateEdit* DTPicker2 = nullptr;
    QLineEdit* Text1 = nullptr;        // the day count
    ClickableLabel* Label1 = nullptr;  // the result line; a click hands it to the main window
    QPushButton* Command2 = nullptr;   // to the memo pad
    QLabel* Label7 = nullptr;          // the two dates in era form
    QLabel* LabelBusiness = nullptr;   // business days of the span, in day-count mode
    QCheckBox* CheckYearEnd = nullptr; // 12/29..1/3 closed too, for both panels

    QGroupBox* Frame3 = nullptr; // a date plus a number of days
    QDateEdit* DTPicker3 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text2 = nullptr; // days to add
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr; // the resulting date
    QLabel* LabelWeekday = nullptr;
    QCheckBox* CheckBusiness = nullptr; // count the days to add as business days

    // Says when a business-day result reaches days whose holidays are not known.
    QLabel* LabelHolidayRange = nullptr;

    QPushButton* OKButton = nullptr;
};

} // namespace sumiplex::ui
