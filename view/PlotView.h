// The plot area's picture of the data set, in the chosen style: the
// whole-picture redraw, the three markers a sort step moves, and the single
// elements of Counting and Radix Sort. In bars, bar i stands at
// x = i / XScale and rises from the bottom edge by value / YScale; index 0
// is the left edge, where the markers rest.
#pragma once

#include "engine/Module1.h"
#include "engine/RunHistory.h"
#include "view/PlotStyle.h"

#include <memory>
#include <vector>

class PictureBox;
class PlotPainter;
struct PlotColors;
struct PlotGeometry;

class PlotView {
public:
    explicit PlotView(PictureBox& picBox);
    ~PlotView();

    // With a data set ready: clears the plot, then draws elements
    // 1..SortSet[2] of SortData (bars in whatever pen colour the box has).
    void DrawBox();
    // Moves markers 1, 2 and 3 (indicator colours 1..3) to X, Y and z in that
    // order; -1 leaves a marker where it is. The element a marker leaves goes
    // back to the foreground colour, and the pen is left in the foreground colour.
    void DrawLine(int X, int Y, int z);
    // o true: element X of AuxData in the foreground colour (bars: over the
    // column); o false: element X cleared to the background. The pen keeps it.
    void DrawPlot(int X, bool o);

    // Redraws the whole picture from what each column shows (a paused run's
    // step): elements in the foreground or a marker colour, cleared ones left
    // to the background. The pen colour is left as it was.
    void DrawColumns(const std::vector<ShownColumn>& columns);

    // The picture's style; the next whole redraw shows it.
    void SetStyle(PlotStyle style);
    PlotStyle Style() const { return style_; }

    float XScale = 0; // SortSet[2] / picBox.ScaleWidth(), set on every layout
    float YScale = 0; // SortSet[1] / picBox.ScaleHeight(), set on every layout
    int LastX = 0, LastY = 0, LastZ = 0; // the elements last drawn in indicator 1..3

private:
    void moveMarker(int a, int& last, int marker);
    PlotPainter& begin();
    void end();

    PictureBox& picBox_;
    PlotStyle style_ = PlotStyle::Bars;
    std::unique_ptr<PlotPainter> painter_;
};

// The value of an array at an index, 0 outside it: a marker remembered from a
// longer data set, or a stray index, must never read past the end.
Integer ValueAt(const std::vector<Integer>& data, int index);
