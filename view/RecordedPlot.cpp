#include "view/RecordedPlot.h"

#include "view/PlotView.h"

void RecordedPlot::DrawLine(int X, int Y, int z)
{
    if (history_)
        history_->Line(X, Y, z);
    plot_.DrawLine(X, Y, z);
}

void RecordedPlot::DrawPlot(int X, bool o)
{
    if (history_)
        history_->Plot(X, o);
    plot_.DrawPlot(X, o);
}

void RecordedPlot::DrawBox()
{
    if (history_)
        history_->Box();
    plot_.DrawBox();
}
