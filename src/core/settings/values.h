#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::settings {

// Stored settings are plain texts: numbers in plain decimal form with '.' as the point,
// truth values as the English words, colours as signed decimal 32-bit integers.
// The parsers accept blanks around the text and return nothing for anything else, so the
// caller can keep its previous value or fall back to the default.

/// "True" or "False" in any letter case.
[[nodiscard]] std::optional<bool> parseTruth(std::u16string_view text);

/// A whole number in the 16-bit range; a fractional text rounds half to even ("5.5" is 6).
[[nodiscard]] std::optional<std::int16_t> parseInt16(std::u16string_view text);

/// A whole number in the signed 32-bit range (colours: "-2147483643"); fractions round half
/// to even.
[[nodiscard]] std::optional<std::int32_t> parseInt32(std::u16string_view text);

/// A finite decimal number ("1000", "-80.5", "1E+3") within single precision's range.
[[nodiscard]] std::optional<float> parseSingle(std::u16string_view text);

/// A finite decimal number ("1000", "-80.5", "1E+3").
[[nodiscard]] std::optional<double> parseDouble(std::u16string_view text);

/// "True" or "False".
[[nodiscard]] std::u16string formatTruth(bool value);

/// Plain decimal form with the fewest digits that read back to the same value: 1000, 80,
/// 80.5, -2147483643. Never an exponent, never a group separator; a value that is not finite
/// is written "0".
[[nodiscard]] std::u16string formatNumber(double value);
[[nodiscard]] std::u16string formatNumber(float value);
[[nodiscard]] std::u16string formatNumber(std::int64_t value);

/// Whole pixels for a length in twips (1/1440 inch) at `dotsPerInch` logical dots per inch;
/// 15 twips are one pixel at 96 dpi.
[[nodiscard]] int twipsToPixels(double twips, double dotsPerInch);

/// Whole twips for a length in pixels at `dotsPerInch` logical dots per inch.
[[nodiscard]] double pixelsToTwips(int pixels, double dotsPerInch);

} // namespace sumiplex::settings
