#pragma once

#include "ui/picture/picture_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <thread>

namespace sumiplex::ui {

// The pictures that can be shown under the calculator, in the order found, and the index
// of the one to show next: the main window's hidden list `List2` and its `PictureIndex`.
class PictureList : public QObject {
    Q_OBJECT
public:
    explicit PictureList(QObject* parent = nullptr);
    ~PictureList() override;

    PictureList(const PictureList&) = delete;
    PictureList& operator=(const PictureList&) = delete;

    // The folder the running program was started from.
    [[nodiscard]] static QString programFolder();

    // Replaces the list with every JPEG file (by name, in any letter case) in `folder` and
    // all its subfolders: each folder's own files first, then those of its subfolders.
    void collect(const QString& folder);

    // The same search on a worker thread, so a large folder tree cannot hold up the first
    // window. The list is replaced and `collected` emitted on this object's thread when the
    // search ends. A later collect or collectAsync wins over a search still running.
    void collectAsync(const QString& folder);

    [[nodiscard]] bool collecting() const { return m_pending > 0; }

    [[nodiscard]] const QStringList& paths() const { return m_paths; }
    void setPaths(QStringList paths);

    // PictureIndex: the position of the entry `next` looks at.
    [[nodiscard]] int index() const { return m_index; }

    // The path at the index (after wrapping past the end to 0), or nothing when that entry
    // is empty or the list is; the index moves on by one either way.
    [[nodiscard]] std::optional<QString> next();

    // The next picture that loads: `next`, then the file read. A path that is missing or
    // not a picture gives nothing, silently; the index has moved on all the same.
    [[nodiscard]] std::optional<ChosenPicture> nextPicture();

signals:
    void collected();

private:
    void finishSearch();
    void accept(unsigned generation, QStringList found);

    QStringList m_paths;
    int m_index = 0;
    unsigned m_generation = 0;
    int m_pending = 0;
    std::thread m_worker;
};

} // namespace sumiplex::ui
