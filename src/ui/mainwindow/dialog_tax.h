#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sumiplex::ui {

/// The consumption-tax settings: the rate in whole percent and the fraction rule. Shown
/// modally; after exec() rate() and rule() hold the chosen values, or the values it was
/// opened with when the user cancelled or typed something that is not a rate.
class DialogTax : public QDialog {
    Q_OBJECT
public:
    DialogTax(int rate, int rule, QWidget* parent = nullptr);

    [[nodiscard]] int rate() const { return m_rate; }
    [[nodiscard]] int rule() const { return m_rule; }

private:
    void OKButton_Click();

    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* Text1; // the rate in percent
    QGroupBox* Frame2;
    QRadioButton* Option3;
    QRadioButton* Option2;
    QRadioButton* Option1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    int m_rate;
    int m_rule;
};

} // namespace sumiplex::ui
