#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sumiplex::ui {

/// The exchange-rate setting: yen for one dollar. Shown modally; after exec() rate()
/// holds the chosen rate, or the rate it was opened with when the user cancelled or
/// typed something that is not a number.
class DialogDoll : public QDialog {
    Q_OBJECT
public:
    explicit DialogDoll(double rate, QWidget* parent = nullptr);

    [[nodiscard]] double rate() const { return m_rate; }

private:
    void OKButton_Click();

    QGroupBox* Frame3;
    QLabel* Label2;
    QLineEdit* Text2; // yen for one dollar
    QPushButton* OKButton;
    QPushButton* CancelButton;

    double m_rate;
};

} // namespace sumiplex::ui
