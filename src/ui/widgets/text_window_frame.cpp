#include "ui/widgets/text_window_frame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

TextWindowFrame buildTextWindowFrame(QWidget& window, QPlainTextEdit& text) {
    TextWindowFrame frame;
    frame.Label9 = new QLabel(&window);
    frame.Label9->setObjectName(QStringLiteral("Label9"));
    frame.Label9->setTextFormat(Qt::PlainText);

    frame.cmdOK = new QPushButton(QStringLiteral("Close"), &window);
    frame.cmdOK->setObjectName(QStringLiteral("cmdOK"));
    QObject::connect(frame.cmdOK, &QPushButton::clicked, &window, &QWidget::hide);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(frame.Label9, 1);
    bottom->addWidget(frame.cmdOK);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(&text, 1);
    layout->addLayout(bottom);

    window.resize(360, 420);
    return frame;
}

} // namespace sumiplex::ui
