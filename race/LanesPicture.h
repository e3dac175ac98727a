// The lanes of a race in a grid, each its name and count over its plot (a
// finished lane framed, its place ticked): one drawing for the Race window
// and for an exported race alike.
#pragma once

#include "race/Race.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// The caption's font and colours (the window's, or those of an export).
struct LanesLook {
    QFont font;
    QColor back{240, 240, 240};
    QColor text{0, 0, 0};
};

QString LaneName(const LaneStatus& s);
QString Ordinal(int n);

class LanesPicture {
public:
    // Lays `lanes` lanes out over `area`: `columns` of them to a row, or
    // when 0 the count giving the largest 4:3 plot.
    void Reflow(int lanes, QSize area, int columns, const QFont& font);
    QRect Cell(int lane) const;
    int CaptionHeight() const { return caption_; }
    int Columns() const { return columns_; }
    QSize CellSize() const { return cell_; }
    // The size of every lane's plot in this layout.
    QSize PlotSize() const;
    // The lanes within `clip` as the race shows them now, the background filled.
    void Paint(QPainter& p, const Race& race, const QRect& clip, const LanesLook& look) const;

private:
    int columns_ = 1;
    QSize cell_{1, 1};
    int caption_ = 0;
};
