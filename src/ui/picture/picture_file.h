#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <optional>

class QWidget;

namespace sumiplex::platform {
class FileDialogs;
class MessageBoxes;
} // namespace sumiplex::platform

namespace sumiplex::ui {

enum class PictureStatus {
    Loaded,
    Missing,    // no path, or nothing at that path
    Unreadable, // a file is there, but it is not a picture this program can decode
};

struct PictureLoad {
    PictureStatus status = PictureStatus::Missing;
    QPixmap pixmap; // null unless status is Loaded
};

/// Reads a picture file. The format is taken from the file's content, not its name, so a
/// picture saved under the wrong extension still shows and a renamed text file does not.
[[nodiscard]] PictureLoad loadPicture(const QString& path);

struct ChosenPicture {
    QString path;
    QPixmap pixmap;
};

/// The file-open dialog of the picture command: the user picks a file, which is loaded. A
/// file that cannot be loaded is reported with a stop message and gives nothing, as does
/// cancelling the dialog.
[[nodiscard]] std::optional<ChosenPicture> choosePicture(platform::FileDialogs& files,
                                                         platform::MessageBoxes& messages,
                                                         const QString& mainCaption,
                                                         QWidget* parent = nullptr);

/// The landscape shown under the calculator until the user picks a picture file.
[[nodiscard]] QPixmap builtInPicture();

/// The usage guide's picture, compiled into the program.
[[nodiscard]] QPixmap guidePicture();

/// The program's icon in the sizes it ships (48, 128 and 256 pixels).
[[nodiscard]] QIcon applicationIcon();

} // namespace sumiplex::ui
