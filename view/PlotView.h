// The bar chart of the plot area: the whole-chart redraw, the three marker
// bars a sort step moves, and the single bars of Counting and Radix Sort.
// Bar i stands at x = i / XScale and rises from the bottom edge by
// value / YScale; index 0 is the left edge, where the markers rest.
#pragma once

#include "engine/Module1.h"
#include "engine/RunHistory.h"

#include <vector>

class PictureBox;

class PlotView {
public:
    explicit PlotView(PictureBox& picBox);

    // With a data set ready: clears the plot, then draws bars 1..SortSet[2]
    // of SortData in whatever pen colour the box has.
    void DrawBox();
    // Moves markers 1, 2 and 3 (indicator colours 1..3) to X, Y and z in that
    // order; -1 leaves a marker where it is. The bar a marker leaves goes back
    // to the foreground colour, and the pen is left in the foreground colour.
    void DrawLine(int X, int Y, int z);
    // o true: bar X of AuxData in the foreground colour, over the column;
    // o false: the column of X in the background colour. The pen keeps it.
    void DrawPlot(int X, bool o);

    // Redraws the whole chart from what each column shows (a paused run's
    // step): bars in the foreground or a marker colour, cleared columns left
    // to the background. The pen colour is left as it was.
    void DrawColumns(const std::vector<ShownColumn>& columns);

    float XScale = 0; // SortSet[2] / picBox.ScaleWidth(), set on every layout
    float YScale = 0; // SortSet[1] / picBox.ScaleHeight(), set on every layout
    int LastX = 0, LastY = 0, LastZ = 0; // the bars last drawn in indicator 1..3

private:
    void moveMarker(int a, int& last, Integer colorCode);
    bool scaled() const;
    float columnX(int index) const;
    float barTop(float H, Integer value) const;
    void drawBar(int index, Integer value);
    void eraseColumn(int index);

    PictureBox& picBox_;
};

// The value of an array at an index, 0 outside it: a marker remembered from a
// longer data set, or a stray index, must never read past the end.
Integer ValueAt(const std::vector<Integer>& data, int index);
