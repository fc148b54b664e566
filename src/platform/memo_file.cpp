#include "platform/memo_file.h"

#include "core/textbytes/text_bytes.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace sumiplex::platform {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

struct Decoded {
    QString text;
    bool damaged = false;
};

QStringDecoder narrowDecoder() {
    // CP932: Shift_JIS with the vendor extensions of the Japanese desktop code page.
    QStringDecoder narrow("windows-31j");
    if (!narrow.isValid()) {
        narrow = QStringDecoder("Shift_JIS");
    }
    return narrow;
}

QString decodeUtf8(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (text.startsWith(QChar::ByteOrderMark)) {
        text.remove(0, 1);
    }
    return text;
}

// Nothing when the bytes are not text, or need the narrow code page and no decoder for it
// exists; `error` then says which.
std::optional<Decoded> decode(const QByteArray& bytes, QString& error) {
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const core::TextBytesVerdict verdict = core::classifyTextBytes(view);
    switch (verdict.kind) {
    case core::TextBytesKind::Binary:
        error = QStringLiteral("テキストファイルではありません。");
        return std::nullopt;
    case core::TextBytesKind::Wide: {
        // A file saved as UTF-16 or UTF-32 announces itself with its byte-order mark.
        QStringDecoder wide(
            QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf16));
        Decoded decoded{wide.decode(bytes), false};
        decoded.damaged = wide.hasError();
        return decoded;
    }
    case core::TextBytesKind::Utf8:
        return Decoded{decodeUtf8(bytes), false};
    case core::TextBytesKind::Cp932:
    case core::TextBytesKind::Damaged:
        break;
    }
    const bool narrowFitsBest = core::strayCp932Bytes(view) < core::strayUtf8Bytes(view);
    if (!narrowFitsBest) {
        return Decoded{decodeUtf8(bytes), true};
    }
    QStringDecoder narrow = narrowDecoder();
    if (!narrow.isValid()) {
        error = QStringLiteral("文字コードを読み取れませんでした。");
        return std::nullopt;
    }
    Decoded decoded{narrow.decode(bytes), verdict.kind == core::TextBytesKind::Damaged};
    // A well-formed pair the code page leaves unassigned comes out as U+FFFD; CP932 has no
    // character of its own that decodes to it.
    if (narrow.hasError() || decoded.text.contains(QChar::ReplacementCharacter)) {
        decoded.damaged = true;
    }
    return decoded;
}

} // namespace

QString withCrLf(const QString& text) {
    // Line by line with the library's fast searches: a memo file may be megabytes long.
    const QStringView all(text);
    qsizetype nextCr = all.indexOf(QLatin1Char('\r'));
    qsizetype nextLf = all.indexOf(QLatin1Char('\n'));
    if (nextCr < 0 && nextLf < 0) {
        return text;
    }
    QString out;
    out.reserve(text.size() + text.size() / 16);
    qsizetype pos = 0;
    while (pos < all.size()) {
        if (nextCr >= 0 && nextCr < pos) {
            nextCr = all.indexOf(QLatin1Char('\r'), pos);
        }
        if (nextLf >= 0 && nextLf < pos) {
            nextLf = all.indexOf(QLatin1Char('\n'), pos);
        }
        qsizetype end = nextCr < 0 ? nextLf : (nextLf < 0 ? nextCr : std::min(nextCr, nextLf));
        if (end < 0) {
            out += all.mid(pos);
            break;
        }
        out += all.mid(pos, end - pos);
        out += kCrLf;
        pos = end + 1;
        if (end == nextCr && pos < all.size() && all[pos] == QLatin1Char('\n')) {
            ++pos;
        }
    }
    return out;
}

MemoFileRead readMemoFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt,
                QStringLiteral("ファイル「%1」を開けませんでした。\n%2")
                    .arg(nativePath(path), file.errorString()),
                false};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt,
                QStringLiteral("ファイル「%1」を読み込めませんでした。\n%2")
                    .arg(nativePath(path), file.errorString()),
                false};
    }
    QString reason;
    const std::optional<Decoded> decoded = decode(bytes, reason);
    if (!decoded) {
        return {std::nullopt,
                QStringLiteral("ファイル「%1」を読み込めませんでした。\n%2")
                    .arg(nativePath(path), reason),
                false};
    }
    QString text = withCrLf(decoded->text);
    if (!text.isEmpty() && !text.endsWith(kCrLf)) {
        text += kCrLf;
    }
    return {std::move(text), QString(), decoded->damaged};
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
    // A short write (a disk that fills up, a file-size limit) is retried, so the next one
    // fails with the reason instead of leaving "Unknown error".
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            break;
        }
        done += n;
    }
    if (done != bytes.size() || file.error() != QFileDevice::NoError) {
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
