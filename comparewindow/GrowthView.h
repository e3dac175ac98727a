// The growth view of the Compare window: every routine's work against the
// width of the data on log-log axes, one line per routine, and beside it a
// table of the widest data set each reached, the figure there, its measured
// growth and the cost the routine table claims. The figures come from a
// Growth running on threads of its own; the window's data set, settings and
// random sequence stay as they are.
#pragma once

#include "compare/Growth.h"
#include "compare/Report.h"

#include <QList>
#include <QWidget>

#include <memory>
#include <vector>

class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTimer;

// The chart: log2 of the width across, log10 of the figure up.
class GrowthChart : public QWidget {
    Q_OBJECT
public:
    struct Line {
        int routine = 0;
        QString name;
        std::vector<std::pair<int, double>> points; // width, figure (> 0)
    };

    explicit GrowthChart(QWidget* parent = nullptr);
    void setLines(std::vector<Line> lines, const QString& figure, int lowestSize, int highestSize);
    const std::vector<Line>& lines() const { return lines_; }
    // The routine drawn over the others; -1: none.
    void setHighlighted(int routine);
    int highlighted() const { return highlighted_; }
    // The routine under the mouse; -1: none.
    int hoveredRoutine() const { return hovered_; }
    // Where a point of a line is drawn (tests and the mouse).
    QPointF position(int size, double figure) const;
    // The routine whose line or legend entry is at `pos`, or -1.
    int routineAt(QPointF pos) const;
    // The colour and the marker a routine is drawn with.
    static QColor colour(int routine);
    static int marker(int routine); // 0 circle, 1 square, 2 triangle, 3 diamond, 4 cross

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void hovered(int routine);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Frame {
        QRectF plot;
        QRectF legend;
        int legendRows = 1;
        double rowHeight = 14;
        double columnWidth = 100;
    };
    Frame Layout() const;
    QRectF LegendEntry(const Frame& f, std::size_t index) const;
    void DrawMarker(QPainter& p, QPointF at, int routine, double size) const;

    std::vector<Line> lines_;
    QString figure_;
    double xLow_ = 4, xHigh_ = 15;  // log2 of the widths
    double yLow_ = 0, yHigh_ = 1;   // log10 of the figures, whole decades
    int highlighted_ = -1;
    int hovered_ = -1;
};

class GrowthView : public QWidget {
    Q_OBJECT
public:
    explicit GrowthView(QWidget* parent = nullptr);
    ~GrowthView() override;

    // Starts again on the chosen order with the chosen budget.
    void Start();
    void Cancel();
    bool Computing() const;
    // The page as text: every routine's widths, figures and growth.
    QString PageText(ReportFormat format) const;
    QString CopyText() const { return PageText(ReportFormat::Tsv); }
    // Writes the page as CSV whole or not at all; `why` says why not.
    bool SaveCsv(const QString& path, QString* why = nullptr) const;
    // The growth computed or in progress, if any.
    const Growth* growth() const { return growth_.get(); }
    GrowthFigure figure() const;

    QComboBox* cboOrder = nullptr;
    QComboBox* cboFigure = nullptr;
    QDoubleSpinBox* spnBudget = nullptr;
    GrowthChart* chart = nullptr;
    QTableWidget* tblGrowth = nullptr;
    QProgressBar* prgGrowth = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblState = nullptr;

private:
    void Poll();
    void Show();

    std::unique_ptr<Growth> growth_;
    std::vector<GrowthRow> rows_;
    QTimer* poll_ = nullptr;
};

// Makes the growth the third page of the Compare window: a "Growth" box in
// its top row beside "All orders" shows it; the window's own data label,
// progress and Cancel, which speak of the other pages, give way to the
// page's. Ticking "All orders" leaves the growth again.
GrowthView* AddGrowthPage(QStackedWidget* pages, QBoxLayout* top, QAbstractButton* allOrders,
                          const QList<QWidget*>& otherPagesOnly);
// Whether the growth page is the one shown.
bool GrowthShown(const GrowthView* view);
