#pragma once

#include <string>

namespace sumiplex::print {

/// The name of a printer paper code as the paper list shows it: the Windows paper-size
/// constant's name without its prefix for 1..118 (9 "A4", 43 "JAPANESE_POSTCARD"), except
/// 56, which like every other code reads "UNKNOWN(c)" below 256 and "USER(c)" from 256 on.
[[nodiscard]] std::u16string paperCodeName(int code);

/// The description of a paper code shown as the paper list's text. Codes 1..41 have fixed
/// descriptions; 256 (a user-defined size) and any other code describe the physical page,
/// whose width and height are given in whole millimetres.
[[nodiscard]] std::u16string paperDescription(int code, long widthMm, long heightMm);

/// A physical page length in twips (1/1440 inch) as whole millimetres at 56.7 twips per
/// millimetre, halves to the even neighbour.
[[nodiscard]] long twipsToMillimetres(double twips);

/// The message for a paper source (bin) code; empty for a code without one.
[[nodiscard]] std::u16string paperSourceMessage(int bin);

/// The line telling the printer's maximum number of copies.
[[nodiscard]] std::u16string maxCopiesMessage(int copies);

} // namespace sumiplex::print
