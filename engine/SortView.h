// What a sort routine needs of the window it draws in: the four methods the
// routines call. The main window implements it; tests and benchmarks use a
// recording or a null view.
#pragma once

class SortView {
public:
    virtual ~SortView() = default;
    // Moves markers 1, 2 and 3 to X, Y and z; -1 leaves a marker where it is.
    virtual void DrawLine(int X, int Y, int z) = 0;
    // o true: draws the bar of AuxData(X) at column X; false: clears column X.
    virtual void DrawPlot(int X, bool o) = 0;
    // Opens a phase: 0 no data set, 1 data set taken into use, 2 a run begins.
    virtual void DoReset(int X) = 0;
    // Reports the run that has just ended.
    virtual void DoStatus() = 0;
};

// A view that draws and reports nothing; MainView points at it whenever no
// window is there to draw in.
class NullView final : public SortView {
public:
    void DrawLine(int, int, int) override {}
    void DrawPlot(int, bool) override {}
    void DoReset(int X) override;
    void DoStatus() override {}
};

// The one shared null view.
SortView& TheNullView();
