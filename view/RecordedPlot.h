// The plot's drawing of a run that keeps a history: each call recorded as
// what the plot shows, then drawn. The main window's run control draws
// through it, and so do the tests of stepping through a history.
#pragma once

#include "engine/RunHistory.h"

class PlotView;

class RecordedPlot {
public:
    explicit RecordedPlot(PlotView& plot) : plot_(plot) {}

    // The history the drawing goes into; null: drawn only.
    void Record(RunHistory* history) { history_ = history; }

    void DrawLine(int X, int Y, int z);
    void DrawPlot(int X, bool o);
    void DrawBox();

private:
    PlotView& plot_;
    RunHistory* history_ = nullptr;
};
