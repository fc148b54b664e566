#include "core/options/options.h"

#include "core/settings/values.h"

namespace sumiplex::options {

namespace {

constexpr std::int32_t kMidGrey = 0x7F7F7F;
constexpr std::int32_t kOrange = 0x0F5CFF;
constexpr std::u16string_view kPreviewGap = u"     ";

// A size typed with the input method in full-width mode reads as the same number.
char16_t narrowed(char16_t c) {
    if (c >= u'０' && c <= u'９')
        return static_cast<char16_t>(u'0' + (c - u'０'));
    if (c == u'．')
        return u'.';
    if (c == u'　')
        return u' ';
    return c;
}

void appendNumber(std::u16string& out, int value) {
    const std::string digits = std::to_string(value);
    out.append(digits.begin(), digits.end());
}

} // namespace

PresetColours presetColours(ColourPreset preset) {
    switch (preset) {
    case ColourPreset::Defaults:
        return {kSystemWindowColour, kMidGrey};
    case ColourPreset::Recommended:
        return {kSystemWindowColour, kOrange};
    }
    return {kSystemWindowColour, kMidGrey};
}

std::optional<float> parseFontSize(std::u16string_view text) {
    std::u16string plain;
    plain.reserve(text.size());
    for (char16_t c : text)
        plain.push_back(narrowed(c));
    const std::optional<float> points = settings::parseSingle(plain);
    if (!points || !(*points > kMinFontPoints && *points < kMaxFontPoints))
        return std::nullopt;
    return points;
}

std::u16string formatFontSize(float points) {
    return settings::formatNumber(points);
}

std::u16string fontPreviewText(std::u16string_view family, float points) {
    std::u16string text(family);
    text += kPreviewGap;
    text += formatFontSize(points);
    return text;
}

std::u16string versionLine(std::u16string_view caption, const Version& version) {
    std::u16string line(caption);
    line += u" Version ";
    appendNumber(line, version.major);
    line += u'.';
    appendNumber(line, version.minor);
    line += u'.';
    appendNumber(line, version.revision);
    return line;
}

} // namespace sumiplex::options
