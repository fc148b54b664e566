#pragma once

#include <QLabel>

namespace sumiplex::ui {

/// A label that reports mouse presses (any button) and left-button clicks, for captions
/// that act as commands.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button);
    /// A left-button press and release both inside the label.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_leftDown = false;
};

} // namespace sumiplex::ui
