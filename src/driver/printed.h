#pragma once

#include "platform/printing.h"

#include <QString>

namespace sumiplex::driver {

/// A printed document as `print printed` shows it: the printer and title, then per page its
/// paper and every drawing operation, millimetres to two decimals:
///   line X1,Y1-X2,Y2 wN   arc CX,CY rR START+SPAN wN   text X,Y PTpt "TEXT"
[[nodiscard]] QString describeDocument(const platform::FakePrinting::Document& document);

} // namespace sumiplex::driver
