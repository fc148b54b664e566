#include "platform/find_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace sumiplex::platform {
namespace {

constexpr int kMaxDepth = 32;

// Sorted the way a user reads a listing: ignoring case first, then by exact name so the
// order never depends on the file system.
void sortByName(QFileInfoList& entries) {
    std::sort(entries.begin(), entries.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const int folded = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.fileName() < b.fileName();
    });
}

struct Search {
    QString pattern;
    QSet<QString> visited;
    QStringList found;

    void visit(const QString& folder, int depth) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || visited.contains(canonical)) {
            return;
        }
        visited.insert(canonical);
        const QDir dir(folder);

        QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
        sortByName(files);
        for (const QFileInfo& file : files) {
            if (wildcardMatches(file.fileName().toLower(), pattern)) {
                found.append(dir.filePath(file.fileName()));
            }
        }
        if (depth >= kMaxDepth) {
            return;
        }
        QFileInfoList folders = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
        sortByName(folders);
        for (const QFileInfo& sub : folders) {
            visit(dir.filePath(sub.fileName()), depth + 1);
        }
    }
};

} // namespace

bool wildcardMatches(QStringView name, QStringView pattern) {
    // Greedy matching with one backtrack point: linear in practice, never exponential.
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype nameAtStar = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starAt = p++;
            nameAtStar = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++nameAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
        ++p;
    }
    return p == pattern.size();
}

QStringList FindFiles(const QString& folder, const QString& pattern) {
    Search search{pattern.toLower(), {}, {}};
    if (QFileInfo(folder).isDir()) {
        search.visit(folder, 0);
    }
    return search.found;
}

} // namespace sumiplex::platform
