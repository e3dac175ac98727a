#include "platform/PixelSpan.h"

#include <algorithm>
#include <cmath>

std::pair<int, int> PenColumns(const PixelMetrics& metrics, double x)
{
    const double px = x * metrics.pxPerUnitX;
    if (!std::isfinite(px))
        return {0, 0};
    const long first = std::lround(std::clamp(px, -1e6, 1e6)) - metrics.pen / 2;
    return {static_cast<int>(std::lround(first * metrics.dpr)),
            static_cast<int>(std::lround((first + metrics.pen) * metrics.dpr))};
}

std::pair<int, int> SpanRows(const PixelMetrics& metrics, double y1, double y2)
{
    const double dy1 = y1 * metrics.devPerUnitY, dy2 = y2 * metrics.devPerUnitY;
    if (!std::isfinite(dy1) || !std::isfinite(dy2))
        return {0, 0};
    return {static_cast<int>(std::lround(std::clamp(std::min(dy1, dy2), -1e6, 1e6))),
            static_cast<int>(std::lround(std::clamp(std::max(dy1, dy2), -1e6, 1e6)))};
}

QRect VerticalSpan(const PixelMetrics& metrics, const QRect& bounds, double x, double y1, double y2)
{
    const auto [left, right] = PenColumns(metrics, x);
    const auto [top, bottom] = SpanRows(metrics, y1, y2);
    if (left == right || top == bottom)
        return QRect();
    return QRect(left, top, right - left, bottom - top).intersected(bounds);
}

void FillSpan(QImage& image, const QRect& span, QRgb rgb)
{
    if (span.isEmpty())
        return;
    // One detach per span, then plain pointer steps: a bar is a few hundred
    // rows only a couple of pixels wide, so per-row calls would dominate.
    const qsizetype stride = image.bytesPerLine();
    uchar* line = image.bits() + span.top() * stride + span.left() * qsizetype(sizeof(QRgb));
    const int columns = span.width();
    for (int rows = span.height(); rows > 0; --rows, line += stride) {
        auto* px = reinterpret_cast<QRgb*>(line);
        for (int c = 0; c < columns; ++c)
            px[c] = rgb;
    }
}
