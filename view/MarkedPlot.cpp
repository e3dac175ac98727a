#include "view/MarkedPlot.h"

#include "view/PlotView.h"

void MarkedPlot::DrawLine(int X, int Y, int z)
{
    Move(X, LastX, 0);
    Move(Y, LastY, 1);
    Move(z, LastZ, 2);
}

void MarkedPlot::DrawPlot(int X, bool o)
{
    if (o)
        sink_.Show(ElementSink::Op::Draw, X, ValueAt(AuxData, X), ShownColumn::Fore);
    else
        sink_.Show(ElementSink::Op::Erase, X, 0, ShownColumn::Cleared);
}

void MarkedPlot::DoReset(int)
{
    Comparisons = 0;
}

void MarkedPlot::Move(int a, int& last, int marker)
{
    if (a == -1)
        return;
    if (a == last)
        last = 0;
    sink_.Show(ElementSink::Op::Redraw, a, ValueAt(SortData, a),
               static_cast<ShownColumn::Role>(ShownColumn::Marker1 + marker));
    sink_.Show(ElementSink::Op::Draw, last, ValueAt(SortData, last), ShownColumn::Fore);
    last = a;
}
