#include "comparewindow/BarChart.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

BarChart::BarChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Chart"));
}

void BarChart::setBars(std::vector<Bar> bars)
{
    bars_ = std::move(bars);
    update();
}

void BarChart::setLogarithmic(bool on)
{
    logarithmic_ = on;
    update();
}

double BarChart::share(double value) const
{
    double top = 0;
    for (const Bar& b : bars_)
        if (b.value)
            top = std::max(top, *b.value);
    if (top <= 0 || value <= 0)
        return 0;
    // On the logarithmic scale a value of 1 is the shortest visible bar, so
    // 1 and 0 still differ.
    if (logarithmic_)
        return std::log10(1 + value) / std::log10(1 + top);
    return value / top;
}

QSize BarChart::sizeHint() const
{
    return {360, 260};
}

QSize BarChart::minimumSizeHint() const
{
    return {160, 120};
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    if (bars_.empty())
        return;
    const QFontMetrics fm = fontMetrics();
    int labelWidth = 0;
    for (const Bar& b : bars_)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(b.label));
    const int margin = 6;
    const int left = margin + labelWidth + margin;
    const int valueRoom = fm.horizontalAdvance(QStringLiteral("00000000000"));
    const int barRoom = std::max(10, width() - left - valueRoom - margin);
    const double rowHeight = std::max<double>(fm.height() + 2, (height() - 2.0 * margin) / bars_.size());
    const int barHeight = std::max(2, static_cast<int>(rowHeight * 0.7));
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const Bar& b = bars_[i];
        const int top = margin + static_cast<int>(i * rowHeight);
        const QRect row(0, top, width(), static_cast<int>(rowHeight));
        p.setPen(palette().text().color());
        p.drawText(QRect(margin, row.top(), labelWidth, row.height()), Qt::AlignRight | Qt::AlignVCenter, b.label);
        if (!b.value) {
            p.setPen(palette().placeholderText().color());
            p.drawText(QRect(left, row.top(), barRoom + valueRoom, row.height()), Qt::AlignLeft | Qt::AlignVCenter, b.why);
            continue;
        }
        const int length = static_cast<int>(std::lround(share(*b.value) * barRoom));
        const QRect bar(left, row.top() + (row.height() - barHeight) / 2, std::max(length, 1), barHeight);
        p.fillRect(bar, palette().highlight());
        p.setPen(palette().text().color());
        p.drawText(QRect(bar.right() + 4, row.top(), valueRoom + barRoom - length, row.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(static_cast<qint64>(std::llround(*b.value))));
    }
}
