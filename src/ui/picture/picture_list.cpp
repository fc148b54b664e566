#include "ui/picture/picture_list.h"

#include "platform/find_files.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <utility>

namespace sumiplex::ui {
namespace {

const QString kPicturePattern = QStringLiteral("*.jpg");

} // namespace

PictureList::PictureList(QObject* parent) : QObject(parent) {}

PictureList::~PictureList() {
    // The worker posts its result to this object; waiting here keeps the object alive for
    // as long as the worker may refer to it. Posted results die with the object.
    finishSearch();
}

QString PictureList::programFolder() {
    return QCoreApplication::applicationDirPath();
}

void PictureList::finishSearch() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void PictureList::collect(const QString& folder) {
    ++m_generation;
    m_paths = platform::FindFiles(folder, kPicturePattern);
}

void PictureList::collectAsync(const QString& folder) {
    finishSearch();
    const unsigned generation = ++m_generation;
    ++m_pending;
    m_worker = std::thread([this, folder, generation] {
        QStringList found = platform::FindFiles(folder, kPicturePattern);
        QMetaObject::invokeMethod(
            this,
            [this, generation, found = std::move(found)]() mutable {
                accept(generation, std::move(found));
            },
            Qt::QueuedConnection);
    });
}

void PictureList::accept(unsigned generation, QStringList found) {
    --m_pending;
    if (generation != m_generation) {
        return;
    }
    m_paths = std::move(found);
    emit collected();
}

void PictureList::setPaths(QStringList paths) {
    ++m_generation;
    m_paths = std::move(paths);
}

std::optional<QString> PictureList::next() {
    if (m_index > m_paths.size() - 1) {
        m_index = 0;
    }
    std::optional<QString> path;
    if (m_index < m_paths.size() && !m_paths[m_index].isEmpty()) {
        path = m_paths[m_index];
    }
    ++m_index;
    return path;
}

std::optional<ChosenPicture> PictureList::nextPicture() {
    const std::optional<QString> path = next();
    if (!path) {
        return std::nullopt;
    }
    PictureLoad load = loadPicture(*path);
    if (load.status != PictureStatus::Loaded) {
        return std::nullopt;
    }
    return ChosenPicture{*path, std::move(load.pixmap)};
}

} // namespace sumiplex::ui
