#pragma once

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace sumiplex::ui {

/// The parts the history window and the memo pad share below their text: the credit
/// line and the "Close" button, which only hides the window.
struct TextWindowFrame {
    QLabel* Label9 = nullptr;
    QPushButton* cmdOK = nullptr;
};

/// Lays out `text` over a row of the credit line `Label9` and the "Close" button `cmdOK` in
/// `window`, and gives the window its initial size.
TextWindowFrame buildTextWindowFrame(QWidget& window, QPlainTextEdit& text);

} // namespace sumiplex::ui
