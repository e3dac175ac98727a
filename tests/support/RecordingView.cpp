#include "support/RecordingView.h"

#include "engine/Module1.h"

namespace {
void record(RecordingView& view, ViewCall call)
{
    view.calls.push_back(call);
    if (view.onCall)
        view.onCall(call);
}
} // namespace

void RecordingView::DrawLine(int X, int Y, int z) { record(*this, {ViewCall::Line, X, Y, z}); }
void RecordingView::DrawPlot(int X, bool o) { record(*this, {ViewCall::Plot, X, o ? 1 : 0, 0}); }
void RecordingView::DoReset(int X)
{
    Comparisons = 0; // as the window's reset does
    record(*this, {ViewCall::Reset, X, 0, 0});
}
void RecordingView::DoStatus() { record(*this, {ViewCall::Status, 0, 0, 0}); }

ScopedView::ScopedView(SortView& view) { MainView = &view; }
ScopedView::~ScopedView() { MainView = &TheNullView(); }
