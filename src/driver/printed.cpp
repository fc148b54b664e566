#include "driver/printed.h"

namespace sumiplex::driver {

namespace {

// Two decimals at most, with no trailing zeros, so whole millimetres read as whole.
QString mm(double value) {
    QString text = QString::number(value, 'f', 2);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

QString describeOp(const print::PageOp& op) {
    switch (op.kind) {
    case print::PageOp::Kind::Line:
        return QStringLiteral("line %1,%2-%3,%4 w%5")
            .arg(mm(op.x1), mm(op.y1), mm(op.x2), mm(op.y2))
            .arg(op.penWidth);
    case print::PageOp::Kind::Arc:
        return QStringLiteral("arc %1,%2 r%3 %4+%5 w%6")
            .arg(mm(op.x1), mm(op.y1), mm(op.radius), mm(op.startDegrees), mm(op.spanDegrees))
            .arg(op.penWidth);
    case print::PageOp::Kind::Text:
        return QStringLiteral("text %1,%2 %3pt \"%4\"")
            .arg(mm(op.x1), mm(op.y1), mm(op.font.points), QString::fromStdU16String(op.text));
    }
    return {};
}

} // namespace

QString describeDocument(const platform::FakePrinting::Document& document) {
    QString out = QStringLiteral("document \"%1\" on %2, %3 page(s)\n")
                      .arg(document.title, document.printer)
                      .arg(document.pages.size());
    int number = 0;
    for (const print::Page& page : document.pages) {
        out += QStringLiteral("page %1: paper %2 %3\n")
                   .arg(++number)
                   .arg(page.paperCode)
                   .arg(page.orientation == print::Orientation::Portrait
                            ? QStringLiteral("portrait")
                            : QStringLiteral("landscape"));
        for (const print::PageOp& op : page.ops)
            out += QStringLiteral("  ") + describeOp(op) + u'\n';
    }
    return out;
}

} // namespace sumiplex::driver
