#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace sumiplex::platform {

/// Full paths of the files under `folder` whose names match `pattern`, compared in lower
/// case ("*" any run of characters, "?" one character, everything else itself): first the
/// folder's own files sorted by name, then, for each subfolder sorted by name, that
/// subfolder's results. Hidden entries are skipped; a folder reached twice (a symbolic link
/// back up the tree) is searched once, and the search goes no deeper than 32 folders.
/// Unreadable folders are passed over; an absent folder gives the empty list.
[[nodiscard]] QStringList FindFiles(const QString& folder, const QString& pattern);

/// The matching rule of FindFiles, for one name.
[[nodiscard]] bool wildcardMatches(QStringView name, QStringView pattern);

} // namespace sumiplex::platform
