#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace sumiplex::ui {

/// The usage guide: a picture and a short explanation of the calculator's keys. Not
/// blocking; OK or the close box unloads it (it deletes itself).
class frmTip1 : public QWidget {
    Q_OBJECT
public:
    explicit frmTip1(QWidget* parent = nullptr);

    void setCredit(const QString& credit);

signals:
    /// The guide is closing; it deletes itself once the event loop turns.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* Image1; // the picture
    QLabel* Label2; // heading: simple sums
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label8;
    QLabel* Label1;
    QLabel* Label5; // heading: percentages
    QLabel* Label10;
    QLabel* Label7;
    QLabel* Label9; // credit line
    QPushButton* cmdOK;
};

} // namespace sumiplex::ui
