#include "platform/colour.h"

#include <array>

namespace sumiplex::platform {

namespace {

constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Index = the system colour number of the stored value.
constexpr std::array<SystemColour, 31> kSystemColours{{
    {QPalette::Active, QPalette::Window},            // scroll bars
    {QPalette::Active, QPalette::Dark},              // desktop
    {QPalette::Active, QPalette::Highlight},         // active title bar
    {QPalette::Inactive, QPalette::Highlight},       // inactive title bar
    {QPalette::Active, QPalette::Window},            // menu bar
    {QPalette::Active, QPalette::Base},              // window background
    {QPalette::Active, QPalette::Shadow},            // window frame
    {QPalette::Active, QPalette::WindowText},        // menu text
    {QPalette::Active, QPalette::Text},              // window text
    {QPalette::Active, QPalette::HighlightedText},   // title bar text
    {QPalette::Active, QPalette::Window},            // active border
    {QPalette::Inactive, QPalette::Window},          // inactive border
    {QPalette::Active, QPalette::Mid},               // application workspace
    {QPalette::Active, QPalette::Highlight},         // highlight
    {QPalette::Active, QPalette::HighlightedText},   // highlighted text
    {QPalette::Active, QPalette::Button},            // button face
    {QPalette::Active, QPalette::Dark},              // button shadow
    {QPalette::Disabled, QPalette::Text},            // grey text
    {QPalette::Active, QPalette::ButtonText},        // button text
    {QPalette::Inactive, QPalette::HighlightedText}, // inactive title bar text
    {QPalette::Active, QPalette::Light},             // button highlight
    {QPalette::Active, QPalette::Shadow},            // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 3D light
    {QPalette::Active, QPalette::ToolTipText},       // tool tip text
    {QPalette::Active, QPalette::ToolTipBase},       // tool tip background
    {QPalette::Active, QPalette::Window},            // (unused index)
    {QPalette::Active, QPalette::Link},              // hot-tracked item
    {QPalette::Active, QPalette::Highlight},         // active title gradient
    {QPalette::Inactive, QPalette::Highlight},       // inactive title gradient
    {QPalette::Active, QPalette::Highlight},         // menu highlight
    {QPalette::Active, QPalette::Window},            // flat menu bar
}};

} // namespace

QColor colourFromValue(std::int32_t value, const QPalette& palette) {
    const auto bits = static_cast<std::uint32_t>(value);
    if ((bits & kSystemColourFlag) != 0) {
        const std::uint32_t index = bits & 0xFFu;
        // An unknown system colour falls back to the window background, which is what
        // the stored default names.
        const SystemColour sys =
            index < kSystemColours.size() ? kSystemColours[index] : kSystemColours[5];
        return palette.color(sys.group, sys.role);
    }
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

std::int32_t valueFromColour(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    const auto bits = static_cast<std::uint32_t>(rgb.red()) |
                      (static_cast<std::uint32_t>(rgb.green()) << 8) |
                      (static_cast<std::uint32_t>(rgb.blue()) << 16);
    return static_cast<std::int32_t>(bits);
}

} // namespace sumiplex::platform
