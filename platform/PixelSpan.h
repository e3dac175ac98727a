// The pixels of a vertical line of the pen width on an image: the one
// rasterisation of the chart's bars, shared by the picture box and every
// surface a plot is painted on.
#pragma once

#include <QImage>
#include <QRect>

#include <utility>

// How scale units become pixels: logical pixels per unit across, device
// pixels per unit down, device pixels per logical pixel, and the pen width in
// logical pixels.
struct PixelMetrics {
    double pxPerUnitX = 1;
    double devPerUnitY = 1;
    double dpr = 1;
    int pen = 1;
    bool operator==(const PixelMetrics&) const = default;
};

// The device pixels a vertical line at x from y1 to y2 (scale units) covers
// within `bounds`, with flat ends: a line of zero length is empty, and so is
// one with a coordinate that is not finite. The pen's columns are chosen in
// logical pixels, then scaled, so a sharp high-DPI image shows exactly the
// columns a plain one would.
QRect VerticalSpan(const PixelMetrics& metrics, const QRect& bounds, double x, double y1, double y2);

// The device columns [first, second) the pen covers at x (scale units),
// not yet cut to any surface; an empty range for an x that is not finite.
std::pair<int, int> PenColumns(const PixelMetrics& metrics, double x);
// The device rows [first, second) from y1 to y2 (scale units), flat ends,
// not yet cut to any surface; empty for a y that is not finite.
std::pair<int, int> SpanRows(const PixelMetrics& metrics, double y1, double y2);

// Writes `rgb` into every pixel of `span` (which lies within the image).
void FillSpan(QImage& image, const QRect& span, QRgb rgb);
