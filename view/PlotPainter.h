// The drawing of a data set in one style, onto any image: the window's plot
// area, or any other surface a run is shown on, is painted by the same code.
//
// A painter is told what each element (index 1..N) now shows: a value in the
// foreground or a marker colour, or nothing. Bars are drawn as the chart
// always was: each call draws its lines at once, over what is there. Every
// other style keeps what each element shows and gives each element a place
// of its own on the surface (a column, a wedge of the disc), with the
// markers drawn over their neighbours; a call repaints only the places it
// changed, so a step costs the same at any width, and the picture after any
// sequence of calls is exactly the one a whole redraw of the same elements
// paints.
#pragma once

#include "engine/RunHistory.h"
#include "platform/PixelSpan.h"
#include "view/PlotStyle.h"

#include <QImage>
#include <QRect>

#include <array>
#include <memory>
#include <vector>

// Where the chart lies on the surface. The bars' geometry is in scale units:
// element i stands at x = i / XScale and value v rises v / YScale from the
// bottom edge at scaleHeight.
struct PlotGeometry {
    PixelMetrics metrics;
    double scaleHeight = 0;
    float XScale = 0;
    float YScale = 0;
    int N = 0;          // the number of elements
    int height = 1;     // the value that reaches the top
    bool operator==(const PlotGeometry&) const = default;

    // A plain image of `size` pixels, its scale unit the pixel.
    static PlotGeometry ForImage(QSize size, int N, int height, int pen);
    // Whether the scale factors can place anything.
    bool Scaled() const;
};

// The colours of the five roles: background, foreground, markers 1..3.
struct PlotColors {
    std::array<QRgb, 5> role{};
    bool operator==(const PlotColors&) const = default;
};

class PlotPainter {
public:
    using Role = ShownColumn::Role;

    static std::unique_ptr<PlotPainter> Make(PlotStyle style);
    virtual ~PlotPainter() = default;

    // Before each batch of calls: the surface and how the chart lies on it.
    // A surface of another size, or another geometry or colours, is
    // repainted whole (from what the elements show) when the batch ends.
    virtual void Begin(QImage& image, const PlotGeometry& geometry, const PlotColors& colors) = 0;
    // The whole surface in `back`; no element shows anything.
    virtual void Clear(QRgb back) = 0;
    // The data set whose sorted order gives each value its home (the
    // disparity circle); the values at 1..N.
    virtual void NewData(const std::vector<Integer>& values) { (void)values; }
    // Element i shows `value` in `role`. Bars draw the bar in `pen` over the
    // column; the other styles take their colour from the role.
    virtual void Draw(int i, Integer value, Role role, QRgb pen) = 0;
    // The same, with the element's place cleared first (bars: the column).
    virtual void Redraw(int i, Integer value, Role role, QRgb pen) = 0;
    // Element i shows nothing: its place takes the background colour.
    virtual void Erase(int i) = 0;
    // Ends the batch: the device pixels it changed.
    virtual QRect End() = 0;
};

// The hue of a value on a wheel: 0 at 1 (red), rising by `turn` (1 is the
// whole wheel) up to the height; values outside 1..height take the nearer end.
QRgb ValueHue(int value, int height, double turn);
