#include "ui/widgets/spin_button.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace sumiplex::ui {

SpinButton::SpinButton(QLineEdit& buddy, int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum) {
    // Only the arrows show; the number lives in the buddy.
    lineEdit()->setReadOnly(true);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void SpinButton::stepBy(int steps) {
    bool ok = false;
    const int current = m_buddy.text().trimmed().toInt(&ok);
    const long long next = ok ? static_cast<long long>(current) + steps : m_minimum;
    const int clamped = static_cast<int>(std::clamp<long long>(next, m_minimum, m_maximum));
    const QString text = QString::number(clamped);
    if (text != m_buddy.text())
        m_buddy.setText(text);
}

QAbstractSpinBox::StepEnabled SpinButton::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

QSize SpinButton::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int frame = style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, this);
    return {std::max(up.width(), 12) + 2 * frame, QAbstractSpinBox::sizeHint().height()};
}

QSize SpinButton::minimumSizeHint() const {
    return sizeHint();
}

} // namespace sumiplex::ui
