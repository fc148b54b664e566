#pragma once

#include <QLabel>

namespace sumiplex::ui {

/// A label that reports mouse presses (any button) and left-button clicks, for captions
/// that act as commands. The keyboard reaches it too: Tab stops on it and draws a focus
/// frame, Space or Enter clicks it as the left button does, and the menu key or Shift+F10
/// presses it as the right button does.
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
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_leftDown = false;
};

/// A clickable label named `name` with `caption`. Its captions grow with their figures, so
/// it asks for no width of its own: the window keeps the width its layout gives it.
[[nodiscard]] ClickableLabel* clickableLabel(QWidget* parent, const QString& name,
                                             const QString& caption);

} // namespace sumiplex::ui
