#include "view/PlotPainter.h"

#include "view/ElementPainters.h"

#include <QColor>

#include <algorithm>
#include <cmath>

PlotGeometry PlotGeometry::ForImage(QSize size, int N, int height, int pen)
{
    PlotGeometry g;
    g.metrics = {1, 1, 1, std::max(1, pen)};
    g.scaleHeight = size.height();
    g.XScale = static_cast<float>(N) / static_cast<float>(size.width());
    g.YScale = static_cast<float>(height) / static_cast<float>(size.height());
    g.N = N;
    g.height = height;
    return g;
}

bool PlotGeometry::Scaled() const
{
    // A surface of no width or height leaves no usable scale: then nothing is
    // drawn rather than lines at infinity.
    return std::isfinite(XScale) && std::isfinite(YScale) && XScale != 0 && YScale != 0;
}

QRgb ValueHue(int value, int height, double turn)
{
    const int top = std::max(1, height);
    const double place = top > 1 ? double(std::clamp(value, 1, top) - 1) / (top - 1) : 0.0;
    return QColor::fromHsvF(static_cast<float>(turn * place), 1.0f, 1.0f).rgb();
}

namespace {

// The chart as it always was: every call draws its lines at once, over what
// the surface shows; neighbouring bars may overlap.
class BarsPainter final : public PlotPainter {
public:
    void Begin(QImage& image, const PlotGeometry& geometry, const PlotColors& colors) override
    {
        image_ = &image;
        g_ = geometry;
        back_ = colors.role[0];
        touched_ = QRect();
    }
    void Clear(QRgb back) override
    {
        image_->fill(back);
        touched_ = image_->rect();
    }
    void Draw(int i, Integer value, Role, QRgb pen) override
    {
        if (!g_.Scaled())
            return;
        const float H = static_cast<float>(g_.scaleHeight);
        const float x = X(i);
        Fill(Span(x, H, Top(H, value)), pen);
    }
    void Redraw(int i, Integer value, Role, QRgb pen) override
    {
        if (!g_.Scaled())
            return;
        // Erasing the column and drawing the bar over it, written in one
        // pass: background above the bar, the pen below.
        const float H = static_cast<float>(g_.scaleHeight);
        const float x = X(i);
        const QRect clear = Span(x, H, 0);
        const QRect line = Span(x, H, Top(H, value));
        if (clear.isEmpty() || line.isEmpty()) {
            Fill(clear, back_);
            Fill(line, pen);
            return;
        }
        Fill(QRect(QPoint(clear.left(), clear.top()), QPoint(clear.right(), std::min(clear.bottom(), line.top() - 1))),
             back_);
        Fill(line, pen);
        Fill(QRect(QPoint(clear.left(), std::max(clear.top(), line.bottom() + 1)), QPoint(clear.right(), clear.bottom())),
             back_);
    }
    void Erase(int i) override
    {
        if (!g_.Scaled())
            return;
        const float H = static_cast<float>(g_.scaleHeight);
        Fill(Span(X(i), H, 0), back_);
    }
    QRect End() override { return std::exchange(touched_, QRect()); }

private:
    float X(int i) const { return static_cast<float>(i) / g_.XScale; }
    float Top(float H, Integer value) const { return H - static_cast<float>(value) / g_.YScale; }
    QRect Span(double x, double y1, double y2) const { return VerticalSpan(g_.metrics, image_->rect(), x, y1, y2); }
    void Fill(const QRect& span, QRgb rgb)
    {
        if (span.isEmpty())
            return;
        FillSpan(*image_, span, rgb);
        touched_ = touched_.united(span);
    }

    QImage* image_ = nullptr;
    PlotGeometry g_;
    QRgb back_ = 0;
    QRect touched_;
};

} // namespace

std::unique_ptr<PlotPainter> PlotPainter::Make(PlotStyle style)
{
    switch (style) {
    case PlotStyle::Bars: return std::make_unique<BarsPainter>();
    case PlotStyle::Dots: return MakeDotsPainter();
    case PlotStyle::Rainbow: return MakeRainbowPainter();
    case PlotStyle::ColorCircle:
    case PlotStyle::DisparityCircle:
    case PlotStyle::Spiral: return MakeCirclePainter(style);
    }
    return std::make_unique<BarsPainter>();
}
