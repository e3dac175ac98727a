#include "view/PlotView.h"

#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "view/PlotPainter.h"

Integer ValueAt(const std::vector<Integer>& data, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= data.size())
        return 0;
    return data[static_cast<std::size_t>(index)];
}

PlotView::PlotView(PictureBox& picBox) : picBox_(picBox), painter_(PlotPainter::Make(style_)) {}

PlotView::~PlotView() = default;

void PlotView::SetStyle(PlotStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    painter_ = PlotPainter::Make(style);
}

PlotPainter& PlotView::begin()
{
    PlotGeometry geometry;
    geometry.metrics = picBox_.metrics();
    geometry.scaleHeight = picBox_.ScaleHeight();
    geometry.XScale = XScale;
    geometry.YScale = YScale;
    geometry.N = SortSet[2];
    geometry.height = SortSet[1];
    PlotColors colors;
    for (std::size_t role = 0; role < colors.role.size(); ++role)
        colors.role[role] = QBColor(ColorSet[role]).rgb();
    painter_->Begin(picBox_.canvas(), geometry, colors);
    return *painter_;
}

void PlotView::end()
{
    picBox_.touched(painter_->End());
}

void PlotView::DrawBox()
{
    if (!DataReady)
        return;
    PlotPainter& painter = begin();
    painter.Clear(picBox_.backColor().rgb());
    painter.NewData(SortData);
    const QRgb pen = picBox_.foreColor().rgb();
    const int N = SortSet[2];
    for (int i = 1; i <= N; ++i)
        painter.Draw(i, ValueAt(SortData, i), ShownColumn::Fore, pen);
    end();
}

void PlotView::moveMarker(int a, int& last, int marker)
{
    if (a == -1)
        return;
    // Naming the marked element again keeps it marked; the restore below then
    // falls on index 0 at the left edge instead.
    if (a == last)
        last = 0;
    const QColor fore = QBColor(ColorSet[1]);
    painter_->Redraw(a, ValueAt(SortData, a), static_cast<ShownColumn::Role>(ShownColumn::Marker1 + marker),
                     QBColor(ColorSet[2 + marker]).rgb());
    picBox_.setForeColor(fore);
    painter_->Draw(last, ValueAt(SortData, last), ShownColumn::Fore, fore.rgb());
    last = a;
}

void PlotView::DrawLine(int X, int Y, int z)
{
    if (X == -1 && Y == -1 && z == -1)
        return;
    begin();
    moveMarker(X, LastX, 0);
    moveMarker(Y, LastY, 1);
    moveMarker(z, LastZ, 2);
    end();
}

void PlotView::DrawPlot(int X, bool o)
{
    PlotPainter& painter = begin();
    if (o) {
        const QColor fore = QBColor(ColorSet[1]);
        picBox_.setForeColor(fore);
        painter.Draw(X, ValueAt(AuxData, X), ShownColumn::Fore, fore.rgb());
    } else {
        picBox_.setForeColor(QBColor(ColorSet[0]));
        painter.Erase(X);
    }
    end();
}

void PlotView::DrawColumns(const std::vector<ShownColumn>& columns)
{
    PlotPainter& painter = begin();
    painter.Clear(picBox_.backColor().rgb());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ShownColumn& column = columns[i];
        if (column.role == ShownColumn::Cleared)
            continue;
        painter.Draw(static_cast<int>(i), column.value, column.role, QBColor(ColorSet[1 + column.role]).rgb());
    }
    end();
}
