#pragma once

#include "core/decimal/decimal.h"

#include <optional>
#include <string>

namespace sumiplex::engine {

/// The whole part in Japanese four-digit groups with every block written out
/// (12345678 → "1234万5678", 100000005 → "1億0000万0005", -12345 → "-1万2345"),
/// followed by "." and the fraction digits of the plain form when there are any.
/// A value between -1 and 0 keeps its minus sign ("-0.5").
[[nodiscard]] std::u16string fourDigitFullForm(const Decimal& value);

/// The short reading: the head and at most one block, lower digits dropped
/// (100000005 → "1億0000万", 1234 → "1234").
[[nodiscard]] std::u16string fourDigitShortReading(const Decimal& value);

/// The window width in twips for a total caption of `captionLength` characters, or empty
/// when the length is in no row (the width then stays as it is).
[[nodiscard]] std::optional<int> windowWidthForCaption(int captionLength, bool fourDigitMode);

} // namespace sumiplex::engine
