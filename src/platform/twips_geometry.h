#pragma once

class QWidget;

namespace sumiplex::platform {

enum class TwipsEdge { Left, Top, Width, Height };

/// Records that `edge` of `widget` was just set from `twips`, giving `pixels` on screen.
/// Twips are finer than pixels: 1000 twips become 67 px at 96 dpi, which reads back as
/// 1005. Remembering what was asked for lets a read-back give the same twips while the
/// widget still has the pixels that came of them.
void noteTwips(QWidget& widget, TwipsEdge edge, double twips, int pixels);

/// The twips `edge` of `widget` was last set from, while it still measures `pixels`;
/// otherwise `pixels` converted at `dotsPerInch`.
[[nodiscard]] double twipsOf(const QWidget& widget, TwipsEdge edge, int pixels, double dotsPerInch);

/// Resizes a window to a width and/or height given in twips (a negative value keeps that
/// side) and remembers the twips asked for.
void resizeInTwips(QWidget& window, double widthTwips, double heightTwips);

} // namespace sumiplex::platform
