// Records a run as the window does, through the window's own relay into the
// history and then onto the plot, and the calls themselves; `held` runs
// after each step is closed, where the window's hold would be.
#pragma once

#include "engine/RunHistory.h"
#include "engine/RunTrace.h"
#include "support/RecordingView.h"
#include "view/PlotView.h"
#include "view/RecordedPlot.h"

#include <functional>

class HistoryRecorder : public RecordingView, public RunTrace {
public:
    HistoryRecorder(RunHistory& history, PlotView& plot) : history_(history), relay_(plot) { relay_.Record(&history); }
    void DrawLine(int X, int Y, int z) override { relay_.DrawLine(X, Y, z); RecordingView::DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { relay_.DrawPlot(X, o); RecordingView::DrawPlot(X, o); }
    void Written(std::vector<Integer>& a, int i, Integer v) override { history_.Written(a, i, v); }
    void Cleared(std::vector<Integer>& a, std::size_t n) override { history_.Cleared(a, n); }
    void Stepped() override { history_.Stepped(); if (held) held(); }
    std::function<void()> held;

private:
    RunHistory& history_;
    RecordedPlot relay_;
};
