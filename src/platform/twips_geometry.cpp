#include "platform/twips_geometry.h"

#include "core/settings/values.h"
#include "platform/window_placement.h"

#include <QPointF>
#include <QVariant>
#include <QWidget>

namespace sumiplex::platform {

namespace {

const char* propertyName(TwipsEdge edge) {
    switch (edge) {
    case TwipsEdge::Left:
        return "sumiplexTwipsLeft";
    case TwipsEdge::Top:
        return "sumiplexTwipsTop";
    case TwipsEdge::Width:
        return "sumiplexTwipsWidth";
    case TwipsEdge::Height:
        return "sumiplexTwipsHeight";
    }
    return "sumiplexTwips";
}

} // namespace

void noteTwips(QWidget& widget, TwipsEdge edge, double twips, int pixels) {
    // x: the twips asked for, y: the pixels they gave.
    widget.setProperty(propertyName(edge), QPointF(twips, pixels));
}

double twipsOf(const QWidget& widget, TwipsEdge edge, int pixels, double dotsPerInch) {
    const QVariant noted = widget.property(propertyName(edge));
    if (noted.isValid()) {
        const QPointF p = noted.toPointF();
        if (static_cast<int>(p.y()) == pixels)
            return p.x();
    }
    return settings::pixelsToTwips(pixels, dotsPerInch);
}

void resizeInTwips(QWidget& window, double widthTwips, double heightTwips) {
    const double dpi = twipsDotsPerInch();
    const int width = widthTwips < 0 ? window.width() : settings::twipsToPixels(widthTwips, dpi);
    const int height =
        heightTwips < 0 ? window.height() : settings::twipsToPixels(heightTwips, dpi);
    window.resize(width, height);
    // A minimum size may have kept the window larger than asked; then the pixels speak.
    if (widthTwips >= 0 && window.width() == width)
        noteTwips(window, TwipsEdge::Width, widthTwips, width);
    if (heightTwips >= 0 && window.height() == height)
        noteTwips(window, TwipsEdge::Height, heightTwips, height);
}

} // namespace sumiplex::platform
