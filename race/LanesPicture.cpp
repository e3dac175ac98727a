#include "race/LanesPicture.h"

#include "engine/Routines.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
const QColor kFinished(0, 110, 0);
} // namespace

QString Ordinal(int n)
{
    const int t = n % 100;
    const char* suffix = (t >= 11 && t <= 13) ? "th" : n % 10 == 1 ? "st" : n % 10 == 2 ? "nd" : n % 10 == 3 ? "rd" : "th";
    return QString::number(n) + QLatin1String(suffix);
}

QString LaneName(const LaneStatus& s)
{
    QString name = QString::fromUtf8(RoutineTable[static_cast<std::size_t>(s.routine)].name);
    if (s.order >= 0)
        name += QStringLiteral(" · ") + QString::fromUtf8(OrderNames[static_cast<std::size_t>(s.order)]);
    return name;
}

void LanesPicture::Reflow(int n, QSize area, int columns, const QFont& font)
{
    if (n <= 0)
        return;
    const int W = std::max(1, area.width()), H = std::max(1, area.height());
    if (columns <= 0) {
        // The column count giving the largest 4:3 plot.
        double best = -1;
        for (int c = 1; c <= n; ++c) {
            const int rows = (n + c - 1) / c;
            const double fit = std::min(W / double(c) / 4, H / double(rows) / 3);
            if (fit > best) {
                best = fit;
                columns = c;
            }
        }
    }
    columns_ = std::max(1, std::min(columns, n));
    const int rows = (n + columns_ - 1) / columns_;
    cell_ = QSize(std::max(1, W / columns_), std::max(1, H / rows));
    const QFontMetrics fm(font);
    const int line = fm.height();
    // Narrow lanes put their figures under the name.
    const int lines = cell_.width() >= 24 * fm.averageCharWidth() ? 1 : 2;
    caption_ = cell_.height() >= (lines + 2) * line && cell_.width() >= 60 ? lines * line : 0;
}

QRect LanesPicture::Cell(int lane) const
{
    return QRect(QPoint((lane % columns_) * cell_.width(), (lane / columns_) * cell_.height()), cell_);
}

QSize LanesPicture::PlotSize() const
{
    return QSize(std::max(1, cell_.width() - 2), std::max(1, cell_.height() - caption_ - 2));
}

void LanesPicture::Paint(QPainter& p, const Race& race, const QRect& clip, const LanesLook& look) const
{
    p.fillRect(clip, look.back);
    p.setFont(look.font);
    const QFontMetrics fm(look.font);
    for (int i = 0; i < race.Lanes(); ++i) {
        const QRect cell = Cell(i);
        if (!cell.intersects(clip))
            continue;
        const LaneStatus s = race.Status(i);
        const QRect plot(cell.left() + 1, cell.top() + caption_ + 1, cell.width() - 2, cell.height() - caption_ - 2);
        if (!s.runs) {
            p.setPen(look.text);
            p.drawText(cell, Qt::AlignCenter | Qt::TextWordWrap, LaneName(s) + QStringLiteral("\nNot run at this size"));
            continue;
        }
        const QImage& image = race.Image(i);
        if (!image.isNull())
            p.drawImage(plot.topLeft(), image);
        if (s.finished) {
            // A finished lane says so: a frame in the caption's colour.
            p.setPen(kFinished);
            p.drawRect(plot.adjusted(-1, -1, 0, 0));
        }
        if (caption_ > 0) {
            // The name, then the count and place: on one line where the
            // lane is wide enough, else on two.
            const int line = fm.height();
            const QString name = LaneName(s);
            const QString right = s.finished ? QStringLiteral("\u2713 %1 · %2").arg(Ordinal(s.place)).arg(s.comparisons)
                                             : QString::number(s.comparisons);
            const QRect text(cell.left() + 3, cell.top(), cell.width() - 6, caption_);
            const bool oneLine = caption_ < 2 * line;
            p.setPen(look.text);
            const int nameRoom = oneLine ? std::max(0, text.width() - fm.horizontalAdvance(right) - 8) : text.width();
            p.drawText(QRect(text.topLeft(), QSize(text.width(), line)), Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(name, Qt::ElideRight, nameRoom));
            p.setPen(s.finished ? kFinished : look.text);
            const QRect figures(QPoint(text.left(), text.bottom() - line + 1), QSize(text.width(), line));
            p.drawText(figures, oneLine ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(right, Qt::ElideRight, text.width()));
        }
    }
}
