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
    updateGeometry();
    update();
}

bool BarChart::wideRange(const std::vector<Bar>& bars)
{
    double low = 0;
    double high = 0;
    bool any = false;
    for (const Bar& b : bars) {
        if (!b.value)
            continue;
        const double v = std::max(1.0, *b.value);
        low = any ? std::min(low, v) : v;
        high = any ? std::max(high, v) : v;
        any = true;
    }
    return any && high > 100 * low;
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

namespace {
constexpr int kMargin = 6;
}

// A row needs the height of its label, and the width of its label and of
// its bar and figure or of why it has none; the chart never asks for less
// room than all its rows take, so the window cannot be made small enough to
// drop one or cut its text.
QSize BarChart::sizeHint() const
{
    const int rows = std::max<int>(1, static_cast<int>(bars_.size()));
    return {minimumSizeHint().width() + 200, 2 * kMargin + rows * (fontMetrics().height() + 6)};
}

QSize BarChart::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    int label = 0;
    int right = 60 + fm.horizontalAdvance(QStringLiteral("00000000000"));
    for (const Bar& b : bars_) {
        label = std::max(label, fm.horizontalAdvance(b.label));
        right = std::max(right, fm.horizontalAdvance(b.why));
    }
    const int rows = std::max<int>(1, static_cast<int>(bars_.size()));
    return {3 * kMargin + label + right + kMargin, 2 * kMargin + rows * (fontMetrics().height() + 1)};
}

QRect BarChart::rowRect(int i) const
{
    const double rowHeight = bars_.empty() ? 0 : (height() - 2.0 * kMargin) / static_cast<double>(bars_.size());
    const int top = kMargin + static_cast<int>(std::floor(i * rowHeight));
    const int bottom = kMargin + static_cast<int>(std::floor((i + 1) * rowHeight));
    return {0, top, width(), bottom - top};
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
    const int margin = kMargin;
    const int left = margin + labelWidth + margin;
    const int valueRoom = fm.horizontalAdvance(QStringLiteral("00000000000"));
    const int barRoom = std::max(10, width() - left - valueRoom - margin);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const Bar& b = bars_[i];
        const QRect row = rowRect(static_cast<int>(i));
        const int barHeight = std::max(2, static_cast<int>(row.height() * 0.7));
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
