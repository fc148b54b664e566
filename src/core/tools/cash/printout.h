#pragma once

#include "core/print/denomination_table.h"

namespace sumiplex::cash {

/// The money windows fill the table the print-out lays out, each row headed by its
/// denomination from the one list.
using DenominationPrintout = print::DenominationPrintout;

} // namespace sumiplex::cash
