// A horizontal bar chart of one figure per routine, on a linear or a
// logarithmic scale; a routine without a figure shows why instead of a bar.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class BarChart : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString label;
        std::optional<double> value; // none: `why` is shown instead
        QString why;
    };

    explicit BarChart(QWidget* parent = nullptr);
    void setBars(std::vector<Bar> bars);
    void setLogarithmic(bool on);
    bool logarithmic() const { return logarithmic_; }
    const std::vector<Bar>& bars() const { return bars_; }
    // The length of a bar as a share of the longest, 0..1.
    double share(double value) const;
    // Whether the largest figure is more than a hundred times the smallest
    // (a zero counts as one): a linear scale would hide the small bars.
    static bool wideRange(const std::vector<Bar>& bars);
    // Where row `i` is drawn: every row inside the chart at any size.
    QRect rowRect(int i) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Bar> bars_;
    bool logarithmic_ = false;
};
