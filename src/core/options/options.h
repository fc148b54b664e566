#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::options {

/// The system colour of window backgrounds in the stored colour form (top bit set: a
/// system colour, its index in the low byte).
inline constexpr std::int32_t kSystemWindowColour = static_cast<std::int32_t>(0x80000005u);

/// The two colour presets of the options dialog.
enum class ColourPreset { Defaults, Recommended };

/// Colours in the stored form: red in the low byte, then green, then blue.
struct PresetColours {
    std::int32_t windowBack;
    std::int32_t accent;
};

/// Defaults: the system window colour and mid grey (0x7F7F7F); recommended: the system
/// window colour and orange (red 0xFF, green 0x5C, blue 0x0F).
[[nodiscard]] PresetColours presetColours(ColourPreset preset);

/// Font sizes a window accepts, in points; the settings read at start-up take the same
/// range, so a size applied here survives a restart.
inline constexpr float kMinFontPoints = 0.0f;    // exclusive
inline constexpr float kMaxFontPoints = 1000.0f; // exclusive

/// A font size typed into a size box: a plain decimal number (blanks around it allowed,
/// full-width digits and point read as their ASCII forms) strictly between
/// kMinFontPoints and kMaxFontPoints; nothing for any other text.
[[nodiscard]] std::optional<float> parseFontSize(std::u16string_view text);

/// A size in the fewest digits that read back to it: 14, 10.5.
[[nodiscard]] std::u16string formatFontSize(float points);

/// The text of a sized font preview: the family, five blanks, then the size.
[[nodiscard]] std::u16string fontPreviewText(std::u16string_view family, float points);

struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

/// "<caption> Version <major>.<minor>.<revision>".
[[nodiscard]] std::u16string versionLine(std::u16string_view caption, const Version& version);

} // namespace sumiplex::options
