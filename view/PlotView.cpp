#include "view/PlotView.h"

#include "platform/Palette.h"
#include "platform/PictureBox.h"

#include <cmath>

Integer ValueAt(const std::vector<Integer>& data, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= data.size())
        return 0;
    return data[static_cast<std::size_t>(index)];
}

PlotView::PlotView(PictureBox& picBox) : picBox_(picBox) {}

bool PlotView::scaled() const
{
    // A plot area of no width or height leaves no usable scale until the next
    // layout: then nothing is drawn rather than lines at infinity.
    return std::isfinite(XScale) && std::isfinite(YScale) && XScale != 0 && YScale != 0;
}

float PlotView::columnX(int index) const
{
    return static_cast<float>(index) / XScale;
}

float PlotView::barTop(float H, Integer value) const
{
    return H - static_cast<float>(value) / YScale;
}

void PlotView::drawBar(int index, Integer value)
{
    if (!scaled())
        return;
    const float H = static_cast<float>(picBox_.ScaleHeight());
    const float x = columnX(index);
    picBox_.Line(x, H, x, barTop(H, value));
}

void PlotView::eraseColumn(int index)
{
    if (!scaled())
        return;
    const float H = static_cast<float>(picBox_.ScaleHeight());
    const float x = columnX(index);
    picBox_.Line(x, H, x, 0);
}

void PlotView::DrawBox()
{
    if (!DataReady)
        return;
    picBox_.Cls();
    const int N = SortSet[2];
    for (int i = 1; i <= N; ++i)
        drawBar(i, ValueAt(SortData, i));
}

void PlotView::moveMarker(int a, int& last, Integer colorCode)
{
    if (a == -1)
        return;
    // Naming the marked bar again keeps it marked; the restore below then
    // falls on bar 0 at the left edge instead.
    if (a == last)
        last = 0;
    const QColor back = QBColor(ColorSet[0]);
    const QColor marker = QBColor(colorCode);
    if (scaled()) {
        // Erasing the column and drawing the marker bar over it, written in
        // one pass: background above the bar, marker colour below.
        const float H = static_cast<float>(picBox_.ScaleHeight());
        const float x = columnX(a);
        picBox_.setForeColor(marker);
        picBox_.LineOver(x, H, 0, back, H, barTop(H, ValueAt(SortData, a)));
    }
    picBox_.setForeColor(QBColor(ColorSet[1]));
    drawBar(last, ValueAt(SortData, last));
    last = a;
}

void PlotView::DrawLine(int X, int Y, int z)
{
    moveMarker(X, LastX, ColorSet[2]);
    moveMarker(Y, LastY, ColorSet[3]);
    moveMarker(z, LastZ, ColorSet[4]);
}

void PlotView::DrawPlot(int X, bool o)
{
    if (o) {
        picBox_.setForeColor(QBColor(ColorSet[1]));
        drawBar(X, ValueAt(AuxData, X));
    } else {
        picBox_.setForeColor(QBColor(ColorSet[0]));
        eraseColumn(X);
    }
}

void PlotView::DrawColumns(const std::vector<ShownColumn>& columns)
{
    const QColor pen = picBox_.foreColor();
    picBox_.Cls();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ShownColumn& column = columns[i];
        if (column.role == ShownColumn::Cleared)
            continue;
        picBox_.setForeColor(QBColor(ColorSet[1 + column.role]));
        drawBar(static_cast<int>(i), column.value);
    }
    picBox_.setForeColor(pen);
}
