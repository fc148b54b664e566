#pragma once

// What the window benchmarks type and record: keystrokes sent straight to a control, and a
// long tape.

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <string>

namespace sumiplex::bench {

/// One tape line as the engine writes it for "1000+500".
inline const std::u16string kTapeLine = u"      1,000 +500= 1,500\r\n";

/// `count` tape lines.
inline std::u16string tapeLines(int count) {
    std::u16string text;
    text.reserve(kTapeLine.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        text += kTapeLine;
    return text;
}

/// One key press and release sent to `target`.
inline void keyStroke(QWidget* target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

} // namespace sumiplex::bench
