#include "platform/memo_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace sumiplex::platform {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Nothing when the bytes are not UTF-8 and no decoder for the narrow code page exists.
std::optional<QString> decode(const QByteArray& bytes) {
    // A file saved as UTF-16 or UTF-32 announces itself with its byte-order mark.
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(bytes);
    if (marked && *marked != QStringConverter::Utf8) {
        QStringDecoder wide(*marked);
        return wide.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar::ByteOrderMark)) {
            text.remove(0, 1);
        }
        return text;
    }
    // CP932: Shift_JIS with the vendor extensions of the Japanese desktop code page.
    QStringDecoder narrow("windows-31j");
    if (!narrow.isValid()) {
        narrow = QStringDecoder("Shift_JIS");
    }
    if (!narrow.isValid()) {
        return std::nullopt;
    }
    return narrow.decode(bytes);
}

} // namespace

QString withCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            out += kCrLf;
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
        } else if (c == QLatin1Char('\n')) {
            out += kCrLf;
        } else {
            out += c;
        }
    }
    return out;
}

MemoFileRead readMemoFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, QStringLiteral("ファイル「%1」を開けませんでした。\n%2")
                                  .arg(nativePath(path), file.errorString())};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt, QStringLiteral("ファイル「%1」を読み込めませんでした。\n%2")
                                  .arg(nativePath(path), file.errorString())};
    }
    const std::optional<QString> decoded = decode(bytes);
    if (!decoded) {
        return {std::nullopt, QStringLiteral("ファイル「%1」の文字コードを読み取れませんでした。")
                                  .arg(nativePath(path))};
    }
    QString text = withCrLf(*decoded);
    if (!text.isEmpty() && !text.endsWith(kCrLf)) {
        text += kCrLf;
    }
    return {std::move(text), QString()};
}

std::optional<QString> writeMemoFileAtomic(const QString& path, const QString& memo) {
    QStringEncoder encoder(QStringEncoder::System);
    const QByteArray bytes = encoder.encode(withCrLf(memo + kCrLf));
    QSaveFile file(path);
    const auto failure = [&path](const QString& reason) {
        return QStringLiteral("ファイル「%1」に保存できませんでした。\n%2")
            .arg(nativePath(path), reason);
    };
    // Unbuffered: a buffered QSaveFile flushes its last block while committing and does not
    // notice when that write comes up short, so a full disk would leave a truncated file in
    // place of the old one. Written directly, a short write shows in the count.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return failure(file.errorString());
    }
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit()) {
        return failure(file.errorString());
    }
    return std::nullopt;
}

} // namespace sumiplex::platform
