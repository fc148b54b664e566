#include "ui/tools/datetime/tool_window.h"

#include "ui/ui_fonts.h"
#include "ui/widgets/glyph_icon.h"

#include <QDateTimeEdit>
#include <QPushButton>

namespace sumiplex::ui {

namespace {

constexpr int kToolPointSize = 10;

} // namespace

datetime::Date toDate(const QDate& date) {
    return datetime::Date{std::chrono::year{date.year()},
                          std::chrono::month{static_cast<unsigned>(date.month())},
                          std::chrono::day{static_cast<unsigned>(date.day())}};
}

QDate toQDate(const datetime::Date& date) {
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

void applyToolFont(QWidget& window) {
    window.setFont(QFont(kMsPGothic, kToolPointSize));
}

QPushButton* memoButton(QWidget* parent, const QString& name) {
    auto* button = named(new QPushButton(QStringLiteral("(&M)"), parent), name);
    button->setToolTip(QStringLiteral("メモ帳に貼り付け"));
    // The caption is a mnemonic and a glyph; a screen reader needs the words.
    button->setAccessibleName(button->toolTip());
    button->setIcon(glyphIcon(QStringLiteral("✎"), button->palette().color(QPalette::ButtonText)));
    button->hide();
    return button;
}

void setUpDatePicker(QDateTimeEdit& picker, const QDate& date) {
    picker.setDateRange(toQDate(datetime::kFirstDate), toQDate(datetime::kLastDate));
    picker.setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker.setCalendarPopup(true);
    picker.setDate(date);
}

} // namespace sumiplex::ui
