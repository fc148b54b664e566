#include "driver/json.h"

namespace sumiplex::driver {

QByteArray jsonQuote(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out.append(u'"');
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'"':
            out.append(u"\\\"");
            break;
        case u'\\':
            out.append(u"\\\\");
            break;
        case u'\b':
            out.append(u"\\b");
            break;
        case u'\f':
            out.append(u"\\f");
            break;
        case u'\n':
            out.append(u"\\n");
            break;
        case u'\r':
            out.append(u"\\r");
            break;
        case u'\t':
            out.append(u"\\t");
            break;
        default:
            if (ch.unicode() < 0x20)
                out.append(QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0')));
            else
                out.append(ch);
        }
    }
    out.append(u'"');
    return out.toUtf8();
}

} // namespace sumiplex::driver
