// The window's plot rules for a run drawn somewhere other than the window: a
// marker named again stays, the element a marker leaves goes back to the
// foreground, a drawn bar shows AuxData's value and a cleared one nothing.
// What each element is to show next goes to a sink, which may paint it at
// once or keep it to paint later.
#pragma once

#include "engine/RunHistory.h"
#include "engine/SortView.h"

class ElementSink {
public:
    enum class Op : std::uint8_t { Draw, Redraw, Erase };
    virtual ~ElementSink() = default;
    // As PlotPainter's Draw, Redraw and Erase of element i.
    virtual void Show(Op op, int i, Integer value, ShownColumn::Role role) = 0;
};

class MarkedPlot final : public SortView {
public:
    explicit MarkedPlot(ElementSink& sink) : sink_(sink) {}

    void DrawLine(int X, int Y, int z) override;
    void DrawPlot(int X, bool o) override;
    void DoReset(int) override;
    void DoStatus() override {}

    int LastX = 0, LastY = 0, LastZ = 0;

private:
    void Move(int a, int& last, int marker);
    ElementSink& sink_;
};
