#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::print {

/// A font as a page asks for it: a family name as the program writes it (the platform
/// substitutes an installed face) and a size in points. An empty family is the printer's
/// own face.
struct PageFont {
    std::u16string family;
    double points = 0;

    friend bool operator==(const PageFont&, const PageFont&) = default;
};

/// One drawing operation. Coordinates are millimetres from the top-left corner of the
/// paper, x to the right and y downwards; pen widths are printer device pixels.
struct PageOp {
    enum class Kind { Line, Arc, Text };
    Kind kind = Kind::Line;
    double x1 = 0; ///< line start; arc centre; text left edge
    double y1 = 0; ///< line start; arc centre; text top edge
    double x2 = 0; ///< line end
    double y2 = 0; ///< line end
    double radius = 0;
    double startDegrees = 0; ///< arcs: counter-clockwise from the positive x axis as seen
    double spanDegrees = 0;
    int penWidth = 1;
    PageFont font;
    std::u16string text;
};

enum class Orientation { Portrait, Landscape };

/// One printed page: the paper it is laid out for and what is drawn on it, in order.
struct Page {
    int paperCode = 9; ///< A4
    Orientation orientation = Orientation::Portrait;
    std::vector<PageOp> ops;
};

/// Measures texts as the printer will draw them.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    /// The width in millimetres of the text in the font.
    [[nodiscard]] virtual double widthMm(std::u16string_view text, const PageFont& font) const = 0;
    /// The distance in millimetres from one line of text to the next in the font.
    [[nodiscard]] virtual double lineHeightMm(const PageFont& font) const = 0;
};

} // namespace sumiplex::print
