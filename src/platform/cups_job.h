// A document printed through CUPS: drawn into a PDF file, then handed to the queue.

#pragma once

#include "platform/printing.h"

#include <QPageSize>

namespace sumiplex::platform::detail {

/// Starts a document for `printer` on the paper, in the orientation; the reason it could
/// not start otherwise.
[[nodiscard]] JobStart startCupsJob(const QString& printer, const QString& title,
                                    const QPageSize& size, print::Orientation orientation);

} // namespace sumiplex::platform::detail
