// What a finished run leaves on screen: the plot is exactly a fresh redraw
// of the sorted data, for every routine of the table.
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "support/QtPrint.h"
#include "support/RecordingView.h"
#include "view/PlotView.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The routines' drawing calls onto the plot, as the window makes them.
class PlotOnly : public RecordingView {
public:
    explicit PlotOnly(PlotView& plot) : plot_(plot) {}
    void DrawLine(int X, int Y, int z) override { plot_.DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { plot_.DrawPlot(X, o); }

private:
    PlotView& plot_;
};

} // namespace

TEST(RunEnd, ThePlotOfEveryRoutineEqualsAFullRedrawOfTheData)
{
    ResetSharedState();
    PictureBox box;
    box.resize(300, 100);
    box.setBackColor(QBColor(0));
    box.setForeColor(QBColor(15));
    ColorSet = {0, 15, 10, 9, 12};
    DrawSet = {1, 0};
    PlotView plot(box);
    PlotOnly view(plot);
    for (std::size_t type = 0; type < RoutineTable.size(); ++type) {
        const Routine& routine = RoutineTable[type];
        if (!routine.entry)
            continue;
        SCOPED_TRACE(routine.name);
        // Random values with ties, so pivots and exchanges land everywhere.
        // A routine with a size limit (Bogo Sort) gets a few values: its time
        // grows as their factorial.
        const int width = routine.sizeLimit > 0 ? std::min(routine.sizeLimit, 6) : 100;
        RestartRnd();
        SortData = {0};
        for (int i = 0; i < width; ++i)
            SortData.push_back(static_cast<Integer>(1 + 60 * Rnd()));
        AuxData.clear();
        CountData.clear();
        SortSet = {6, 60, static_cast<Integer>(width)};
        plot.XScale = float(width / box.ScaleWidth());
        plot.YScale = float(60 / box.ScaleHeight());
        plot.LastX = plot.LastY = plot.LastZ = 0;
        DataReady = Sorting = true;
        plot.DrawBox();
        {
            ScopedView scoped(view);
            routine.entry();
        }
        ASSERT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
        const QImage atEnd = box.image().copy();
        plot.DrawBox();
        EXPECT_TRUE(atEnd == box.image()) << "the plot at the end differs from a redraw of the data";
    }
    ResetSharedState();
}
