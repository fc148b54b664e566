#include "ui/picture/picture_file.h"

#include "platform/dialogs.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QScreen>

#include <mutex>

// Resources compiled into a static library are only registered when something refers to
// their initialiser; the macro has to be used outside any namespace.
static void registerSumiplexResources() {
    Q_INIT_RESOURCE(sumiplex);
}

namespace sumiplex::ui {
namespace {

void ensureResources() {
    static std::once_flag once;
    std::call_once(once, registerSumiplexResources);
}

const QString kUnreadableText = QStringLiteral("読み込めない形式のﾌｧｲﾙです。");
const QString kUnreadableTitle = QStringLiteral("入力事項の確認");
const QString kDialogTitleTail = QStringLiteral(" 　画像ファイルを開く");
const QString kPictureFilters = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|画像 (*.jpg)|*.jpg|");
constexpr int kJpegFilter = 1;

QSize largestShownSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {1920, 1080};
    return (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize();
}

} // namespace

PictureLoad loadPicture(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return {PictureStatus::Missing, {}};
    }
    if (!info.isFile()) {
        return {PictureStatus::Unreadable, {}};
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // The picture is never shown larger than the screen: a camera's full resolution would
    // cost a hundred megabytes or more and show nothing more.
    const QSize full = reader.size();
    const QSize bound = largestShownSize();
    if (full.isValid() && (full.width() > bound.width() || full.height() > bound.height()))
        reader.setScaledSize(full.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    if (image.isNull()) {
        return {PictureStatus::Unreadable, {}};
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.isNull()) {
        return {PictureStatus::Unreadable, {}};
    }
    return {PictureStatus::Loaded, std::move(pixmap)};
}

std::optional<ChosenPicture> choosePicture(platform::FileDialogs& files,
                                           platform::MessageBoxes& messages,
                                           const QString& mainCaption, QWidget* parent) {
    const std::optional<QString> path =
        files.getOpenFileName(parent, mainCaption + kDialogTitleTail, kPictureFilters, kJpegFilter);
    if (!path) {
        return std::nullopt;
    }
    PictureLoad load = loadPicture(*path);
    if (load.status != PictureStatus::Loaded) {
        // A name typed into the dialog that leads nowhere is as unusable as a file of the
        // wrong kind; saying nothing would look as if the picture had been taken.
        messages.critical(parent, kUnreadableText, kUnreadableTitle);
        return std::nullopt;
    }
    return ChosenPicture{*path, std::move(load.pixmap)};
}

QPixmap builtInPicture() {
    ensureResources();
    return QPixmap(QStringLiteral(":/sumiplex/picture.jpg"));
}

QPixmap guidePicture() {
    ensureResources();
    return QPixmap(QStringLiteral(":/sumiplex/guide.png"));
}

QIcon applicationIcon() {
    ensureResources();
    QIcon icon;
    for (const int size : {48, 128, 256}) {
        icon.addFile(QStringLiteral(":/sumiplex/icon-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace sumiplex::ui
