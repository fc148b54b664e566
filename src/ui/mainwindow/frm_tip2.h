#pragma once

#include <QWidget>

#include <string_view>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace sumiplex::ui {

/// Turns tape text (lines ended by CR LF) into the text widget's line breaks. A CR at the
/// very end of a piece may be the first half of a CR LF split over two pieces, so it is
/// held back in `pendingCr` until the next piece shows what follows it.
[[nodiscard]] QString tapePieceForDisplay(std::u16string_view piece, bool& pendingCr);

/// The history window: shows the tape and keeps its newest line in view. Closing it only
/// hides it, so the tape shown lives as long as the program.
class frmTip2 : public QWidget {
    Q_OBJECT
public:
    explicit frmTip2(QWidget* parent = nullptr);

    /// Adds one piece of tape text at the end, in time proportional to the piece.
    void appendTape(std::u16string_view piece);
    /// Shows the whole tape again (an earlier line changed).
    void showTape(std::u16string_view text);

    [[nodiscard]] QPlainTextEdit& text() { return *Text1; }
    void setCredit(const QString& credit);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void moveCaretToEnd();

    QPlainTextEdit* Text1; // the tape
    QPushButton* cmdOK;
    QLabel* Label9; // credit line
    bool m_pendingCr = false;
    static constexpr int kLinesPerBlock = 16;
    int m_linesInBlock = 0; // line ends in the last block so far
};

} // namespace sumiplex::ui
