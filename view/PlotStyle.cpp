#include "view/PlotStyle.h"

const std::array<PlotStyleInfo, 6> PlotStyles = {{
    {PlotStyle::Bars, "Bars", "&Bars"},
    {PlotStyle::Dots, "Dots", "&Dots"},
    {PlotStyle::Rainbow, "Rainbow", "&Rainbow"},
    {PlotStyle::ColorCircle, "Color Circle", "&Color Circle"},
    {PlotStyle::DisparityCircle, "Disparity Circle", "D&isparity Circle"},
    {PlotStyle::Spiral, "Spiral", "&Spiral"},
}};

QString StyleName(PlotStyle style)
{
    for (const PlotStyleInfo& info : PlotStyles)
        if (info.style == style)
            return QString::fromLatin1(info.name);
    return QString::fromLatin1(PlotStyles[0].name);
}

std::optional<PlotStyle> StyleFromName(const QString& name)
{
    for (const PlotStyleInfo& info : PlotStyles)
        if (name == QLatin1String(info.name))
            return info.style;
    return std::nullopt;
}
