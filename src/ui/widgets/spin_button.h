#pragma once

#include <QAbstractSpinBox>

class QLineEdit;

namespace sumiplex::ui {

/// An up-down button attached to a text box: each step changes the whole number in the box
/// by one, within [minimum, maximum]. The box keeps the number, so one typed there is where
/// the next step starts; a box that holds no whole number steps from the minimum.
class SpinButton : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinButton(QLineEdit& buddy, int minimum, int maximum, QWidget* parent = nullptr);

    void stepBy(int steps) override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    [[nodiscard]] StepEnabled stepEnabled() const override;

private:
    QLineEdit& m_buddy;
    int m_minimum;
    int m_maximum;
};

} // namespace sumiplex::ui
