// Low-level helpers shared by the journal, the tape files and their retention.

#pragma once

#include "core/journal/journal_format.h"

#include <QByteArray>
#include <QString>

#include <ctime>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace sumiplex::platform::detail {

[[nodiscard]] QByteArray nativeName(const QString& path);

/// Writes all of `bytes` at `offset`; false when any of it could not be written.
bool pwriteAll(int fd, std::string_view bytes, off_t offset);

/// A file time as the journal core counts local time.
[[nodiscard]] journal::LocalTime localTimeOf(const timespec& when);

/// A regular file and no link, by the entry itself; `info` gets what lstat found.
[[nodiscard]] bool isRegularEntry(const QString& path, struct stat* info = nullptr);

} // namespace sumiplex::platform::detail
