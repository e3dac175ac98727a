// The pictures a data set can be drawn as: bars (the chart as it always
// was), dots, rainbow bars, and three discs (colour circle, disparity
// circle, spiral). Each has a name, which is what the settings store keeps,
// and a menu caption.
#pragma once

#include <QString>

#include <array>
#include <optional>

enum class PlotStyle { Bars, Dots, Rainbow, ColorCircle, DisparityCircle, Spiral };

struct PlotStyleInfo {
    PlotStyle style;
    const char* name;    // "Color Circle": stored and shown
    const char* caption; // the name with its menu access key
};

// Every style, in menu order.
extern const std::array<PlotStyleInfo, 6> PlotStyles;

QString StyleName(PlotStyle style);
// The style of a name exactly as StyleName gives it; none for anything else.
std::optional<PlotStyle> StyleFromName(const QString& name);
