#include "comparewindow/GrowthView.h"
#include "comparewindow/FigureTable.h"
#include "compare/CommandOutput.h"

#include "engine/Module1.h"
#include "engine/Routines.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int kPollMs = 50;
constexpr int kMarkers = 5;

// Ten colours that stay apart from each other on a white ground.
const QColor kColours[] = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
    QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x55, 0x55, 0x55),
    QColor(0xa0, 0xa0, 0x00), QColor(0x17, 0xa0, 0xb0),
};
constexpr int kColourCount = static_cast<int>(std::size(kColours));

QString SizeText(double size)
{
    if (size >= 1024 && std::fmod(size, 1024) == 0)
        return QStringLiteral("%1k").arg(size / 1024);
    return QString::number(size);
}

QString PowerText(int decade)
{
    if (decade < 4)
        return QString::number(std::pow(10, decade), 'f', 0);
    return QStringLiteral("1e%1").arg(decade);
}

enum Column { kName, kLargest, kFigure, kGrowth, kClaimed, kEnded, kColumns };

} // namespace

// ---------------------------------------------------------------- GrowthChart

GrowthChart::GrowthChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Growth chart"));
}

QColor GrowthChart::colour(int routine)
{
    return kColours[((routine % kColourCount) + kColourCount) % kColourCount];
}

int GrowthChart::marker(int routine)
{
    // Routines ten apart share a colour; their markers differ.
    return ((routine + routine / kColourCount) % kMarkers + kMarkers) % kMarkers;
}

void GrowthChart::setLines(std::vector<Line> lines, const QString& figure, int lowestSize, int highestSize)
{
    lines_ = std::move(lines);
    figure_ = figure;
    xLow_ = std::log2(std::max(1, lowestSize));
    xHigh_ = std::max(xLow_ + 1, std::log2(std::max(1, highestSize)));
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const Line& l : lines_)
        for (const auto& [size, value] : l.points) {
            low = std::min(low, std::log10(value));
            high = std::max(high, std::log10(value));
        }
    if (std::isinf(low)) {
        low = 0;
        high = 1;
    }
    yLow_ = std::floor(low);
    yHigh_ = std::max(yLow_ + 1, std::ceil(high));
    if (hovered_ >= 0 && std::none_of(lines_.begin(), lines_.end(), [this](const Line& l) { return l.routine == hovered_; }))
        hovered_ = -1;
    update();
}

void GrowthChart::setHighlighted(int routine)
{
    if (highlighted_ == routine)
        return;
    highlighted_ = routine;
    update();
}

QSize GrowthChart::sizeHint() const
{
    return {640, 400};
}

QSize GrowthChart::minimumSizeHint() const
{
    return {320, 220};
}

GrowthChart::Frame GrowthChart::Layout() const
{
    const QFontMetrics fm = fontMetrics();
    Frame f;
    f.rowHeight = fm.height() + 1;
    int nameWidth = 0;
    for (const Line& l : lines_)
        nameWidth = std::max(nameWidth, fm.horizontalAdvance(l.name));
    f.columnWidth = nameWidth + 34;
    const double top = fm.height() / 2.0 + 4;
    const double bottom = height() - 2.0 * fm.height() - 10;
    const double usable = std::max(f.rowHeight, bottom - top);
    f.legendRows = std::max(1, static_cast<int>(usable / f.rowHeight));
    const int columns = lines_.empty() ? 0 : static_cast<int>((lines_.size() + f.legendRows - 1) / f.legendRows);
    // The legend gives way to the plot in a narrow chart.
    const double legendWidth = std::min(columns * f.columnWidth, width() * 0.45);
    if (columns > 0)
        f.columnWidth = std::min(f.columnWidth, legendWidth / columns); // names elided to fit
    const double left = fm.height() + 8 + fm.horizontalAdvance(QStringLiteral("1e10")) + 6;
    const double right = width() - legendWidth - 10;
    f.plot = QRectF(QPointF(left, top), QPointF(std::max(left + 20, right), std::max(top + 20, bottom)));
    f.legend = QRectF(right + 8, top, legendWidth, usable);
    return f;
}

QRectF GrowthChart::LegendEntry(const Frame& f, std::size_t index) const
{
    const int column = static_cast<int>(index) / f.legendRows;
    const int row = static_cast<int>(index) % f.legendRows;
    return QRectF(f.legend.left() + column * f.columnWidth, f.legend.top() + row * f.rowHeight, f.columnWidth,
                  f.rowHeight);
}

QPointF GrowthChart::position(int size, double figure) const
{
    const Frame f = Layout();
    const double x = (std::log2(std::max(1, size)) - xLow_) / (xHigh_ - xLow_);
    const double y = (std::log10(std::max(1e-9, figure)) - yLow_) / (yHigh_ - yLow_);
    return {f.plot.left() + x * f.plot.width(), f.plot.bottom() - y * f.plot.height()};
}

int GrowthChart::routineAt(QPointF pos) const
{
    const Frame f = Layout();
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (LegendEntry(f, i).contains(pos) && f.legend.contains(pos))
            return lines_[i].routine;
    if (!f.plot.adjusted(-6, -6, 6, 6).contains(pos))
        return -1;
    // The nearest line within a few pixels, measured to its segments.
    int best = -1;
    double bestDistance = 7;
    for (const Line& l : lines_) {
        for (std::size_t i = 0; i < l.points.size(); ++i) {
            const QPointF a = position(l.points[i].first, l.points[i].second);
            const QPointF b = i + 1 < l.points.size() ? position(l.points[i + 1].first, l.points[i + 1].second) : a;
            const QPointF ab = b - a;
            const double length2 = QPointF::dotProduct(ab, ab);
            const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(pos - a, ab) / length2, 0.0, 1.0) : 0.0;
            const QPointF d = pos - (a + t * ab);
            const double distance = std::hypot(d.x(), d.y());
            if (distance < bestDistance) {
                bestDistance = distance;
                best = l.routine;
            }
        }
    }
    return best;
}

void GrowthChart::DrawMarker(QPainter& p, QPointF at, int routine, double size) const
{
    const double r = size / 2;
    switch (marker(routine)) {
    case 0: p.drawEllipse(at, r, r); break;
    case 1: p.drawRect(QRectF(at.x() - r, at.y() - r, size, size)); break;
    case 2: {
        const QPointF tri[] = {{at.x(), at.y() - r}, {at.x() + r, at.y() + r}, {at.x() - r, at.y() + r}};
        p.drawPolygon(tri, 3);
        break;
    }
    case 3: {
        const QPointF dia[] = {{at.x(), at.y() - r}, {at.x() + r, at.y()}, {at.x(), at.y() + r}, {at.x() - r, at.y()}};
        p.drawPolygon(dia, 4);
        break;
    }
    default:
        p.drawLine(QPointF(at.x() - r, at.y() - r), QPointF(at.x() + r, at.y() + r));
        p.drawLine(QPointF(at.x() - r, at.y() + r), QPointF(at.x() + r, at.y() - r));
        break;
    }
}

void GrowthChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QFontMetrics fm = fontMetrics();
    const Frame f = Layout();
    const QColor text = palette().text().color();
    QColor grid = palette().mid().color();
    grid.setAlpha(90);

    // Axes: a grid line at every width and every decade.
    p.setPen(QPen(grid, 1));
    for (int e = static_cast<int>(std::ceil(xLow_)); e <= static_cast<int>(std::floor(xHigh_)); ++e) {
        const double x = f.plot.left() + (e - xLow_) / (xHigh_ - xLow_) * f.plot.width();
        p.setPen(QPen(grid, 1));
        p.drawLine(QPointF(x, f.plot.top()), QPointF(x, f.plot.bottom()));
        // Every other width is labelled when they would crowd.
        const bool crowded = f.plot.width() / (xHigh_ - xLow_) < fm.horizontalAdvance(QStringLiteral("16k")) + 8;
        if (!crowded || (e - static_cast<int>(std::ceil(xLow_))) % 2 == 0) {
            p.setPen(text);
            const QString label = SizeText(std::pow(2.0, e));
            p.drawText(QRectF(x - 30, f.plot.bottom() + 2, 60, fm.height()), Qt::AlignHCenter | Qt::AlignTop, label);
        }
    }
    for (int e = static_cast<int>(yLow_); e <= static_cast<int>(yHigh_); ++e) {
        const double y = f.plot.bottom() - (e - yLow_) / (yHigh_ - yLow_) * f.plot.height();
        p.setPen(QPen(grid, 1));
        p.drawLine(QPointF(f.plot.left(), y), QPointF(f.plot.right(), y));
        p.setPen(text);
        p.drawText(QRectF(0, y - fm.height() / 2.0, f.plot.left() - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
                   PowerText(e));
    }
    p.setPen(QPen(text, 1));
    p.drawRect(f.plot);
    p.drawText(QRectF(f.plot.left(), f.plot.bottom() + fm.height() + 4, f.plot.width(), fm.height()),
               Qt::AlignHCenter, QStringLiteral("Width (values), logarithmic"));
    p.save();
    p.translate(2, f.plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-f.plot.height() / 2, 0, f.plot.height(), fm.height()), Qt::AlignHCenter | Qt::AlignTop,
               figure_ + QStringLiteral(", logarithmic"));
    p.restore();

    if (lines_.empty()) {
        p.setPen(palette().placeholderText().color());
        p.drawText(f.plot, Qt::AlignCenter, QStringLiteral("No figures yet"));
        return;
    }

    const int focus = hovered_ >= 0 ? hovered_ : highlighted_;
    auto drawLine = [&](const Line& l, bool emphasised, bool faded) {
        QColor c = colour(l.routine);
        if (faded)
            c.setAlpha(70);
        p.setPen(QPen(c, emphasised ? 3.0 : 1.5));
        p.setBrush(emphasised ? QBrush(c) : QBrush(palette().base()));
        for (std::size_t i = 0; i + 1 < l.points.size(); ++i)
            p.drawLine(position(l.points[i].first, l.points[i].second),
                       position(l.points[i + 1].first, l.points[i + 1].second));
        for (const auto& [size, value] : l.points)
            DrawMarker(p, position(size, value), l.routine, emphasised ? 8 : 6);
    };
    p.save();
    p.setClipRect(f.plot.adjusted(-5, -5, 5, 5));
    const Line* emphasised = nullptr;
    for (const Line& l : lines_) {
        if (l.routine == focus)
            emphasised = &l;
        else
            drawLine(l, false, focus >= 0);
    }
    if (emphasised)
        drawLine(*emphasised, true, false);
    p.restore();

    // Legend: colour, marker and name, the highlighted routine in bold.
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const QRectF entry = LegendEntry(f, i);
        if (!f.legend.contains(entry.topLeft()))
            continue;
        const Line& l = lines_[i];
        const bool on = l.routine == focus;
        const bool faded = focus >= 0 && !on;
        QColor c = colour(l.routine);
        if (faded)
            c.setAlpha(90);
        p.setPen(QPen(c, on ? 3.0 : 1.5));
        p.setBrush(on ? QBrush(c) : QBrush(palette().base()));
        const QPointF mid(entry.left() + 10, entry.center().y());
        p.drawLine(mid - QPointF(8, 0), mid + QPointF(8, 0));
        DrawMarker(p, mid, l.routine, 6);
        QFont font = p.font();
        font.setBold(on);
        p.setFont(font);
        QColor nameColour = text;
        if (faded)
            nameColour.setAlpha(140);
        p.setPen(nameColour);
        p.drawText(QRectF(entry.left() + 22, entry.top(), entry.width() - 22, entry.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(l.name, Qt::ElideRight, int(entry.width() - 26)));
        font.setBold(false);
        p.setFont(font);
    }
}

void GrowthChart::mouseMoveEvent(QMouseEvent* event)
{
    const int routine = routineAt(event->position());
    if (routine != hovered_) {
        hovered_ = routine;
        update();
        emit hovered(routine);
    }
    QWidget::mouseMoveEvent(event);
}

void GrowthChart::leaveEvent(QEvent* event)
{
    if (hovered_ != -1) {
        hovered_ = -1;
        update();
        emit hovered(-1);
    }
    QWidget::leaveEvent(event);
}

// ---------------------------------------------------------------- GrowthView

GrowthView::GrowthView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GrowthView"));
    cboOrder = new QComboBox;
    for (const char* name : OrderNames)
        cboOrder->addItem(QString::fromLatin1(name));
    cboOrder->setCurrentIndex(std::clamp<int>(SortSet[0], 0, kOrderCount - 1));
    cboFigure = new QComboBox;
    cboFigure->addItems({QStringLiteral("Comparisons"), QStringLiteral("Steps"), QStringLiteral("Writes")});
    spnBudget = new QDoubleSpinBox;
    spnBudget->setRange(0.01, 60);
    spnBudget->setDecimals(2);
    spnBudget->setSingleStep(0.05);
    spnBudget->setSuffix(QStringLiteral(" s"));
    spnBudget->setValue(Growth::kDefaultBudget);
    spnBudget->setToolTip(QStringLiteral("The longest a single run may take; a routine's widths end with the run "
                                         "that reaches it."));
    auto* bar = new QHBoxLayout;
    auto label = [bar](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        bar->addWidget(l);
        bar->addWidget(buddy);
    };
    label(QStringLiteral("&Order:"), cboOrder);
    label(QStringLiteral("&Figure:"), cboFigure);
    label(QStringLiteral("&Budget a run:"), spnBudget);
    bar->addStretch();

    chart = new GrowthChart;
    auto copy = [this] { QApplication::clipboard()->setText(CopyText()); };
    tblGrowth = new FigureTable(kRoutineCount, kColumns, copy);
    tblGrowth->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblGrowth->setSelectionMode(QAbstractItemView::SingleSelection);
    tblGrowth->setObjectName(QStringLiteral("tblGrowth"));
    tblGrowth->setHorizontalHeaderLabels({QStringLiteral("Routine"), QStringLiteral("Largest"),
                                          QStringLiteral("Comparisons"), QStringLiteral("Growth"),
                                          QStringLiteral("Claimed"), QStringLiteral("Ended")});
    tblGrowth->horizontalHeaderItem(kGrowth)->setToolTip(
        QStringLiteral("The slope of log(figure) against log(width) over the last four widths"));
    tblGrowth->horizontalHeaderItem(kClaimed)->setToolTip(
        QStringLiteral("The routine's cost in the order's case; it counts comparisons, or writes where the routine "
                       "compares nothing"));
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(chart);
    split->addWidget(tblGrowth);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({600, 640});

    lblState = new QLabel;
    prgGrowth = new QProgressBar;
    prgGrowth->setRange(0, 1000);
    prgGrowth->setTextVisible(false);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel->setEnabled(false);
    auto* progress = new QHBoxLayout;
    progress->addWidget(lblState);
    progress->addWidget(prgGrowth, 1);
    progress->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    layout->addLayout(progress);

    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &GrowthView::Poll);
    connect(cmdCancel, &QPushButton::clicked, this, &GrowthView::Cancel);
    connect(cboOrder, &QComboBox::currentIndexChanged, this, &GrowthView::Start);
    connect(spnBudget, &QDoubleSpinBox::editingFinished, this, [this] {
        if (growth_ && std::abs(growth_->Budget() - spnBudget->value()) > 1e-9)
            Start();
    });
    connect(cboFigure, &QComboBox::currentIndexChanged, this, &GrowthView::Show);
    connect(chart, &GrowthChart::hovered, this, [this](int routine) {
        if (routine >= 0)
            for (int row = 0; row < tblGrowth->rowCount(); ++row)
                if (QTableWidgetItem* item = tblGrowth->item(row, kName); item && item->data(Qt::UserRole).toInt() == routine)
                    tblGrowth->scrollToItem(item);
    });
    connect(tblGrowth, &QTableWidget::currentCellChanged, this, [this](int row) {
        const QTableWidgetItem* item = row >= 0 ? tblGrowth->item(row, kName) : nullptr;
        chart->setHighlighted(item ? item->data(Qt::UserRole).toInt() : -1);
    });
    Show();
}

GrowthView::~GrowthView() = default;

GrowthFigure GrowthView::figure() const
{
    return static_cast<GrowthFigure>(std::clamp(cboFigure->currentIndex(), 0, 2));
}

void GrowthView::Start()
{
    growth_.reset(); // stops and waits for the one before
    growth_ = Growth::Start(cboOrder->currentIndex(), spnBudget->value());
    rows_ = growth_->Rows();
    poll_->start();
    Poll();
}

void GrowthView::Cancel()
{
    if (growth_ && !growth_->Finished()) {
        growth_->Cancel();
        growth_->Wait();
    }
    Poll();
}

bool GrowthView::Computing() const
{
    return growth_ && !growth_->Finished();
}

void GrowthView::Poll()
{
    // Read before the rows: a growth that ends in between is read once more.
    const bool busy = Computing();
    if (growth_) {
        rows_ = growth_->Rows();
        prgGrowth->setValue(static_cast<int>(growth_->Progress() * 1000));
    }
    cmdCancel->setEnabled(busy);
    Show();
    if (!busy)
        poll_->stop();
}

void GrowthView::Show()
{
    const GrowthFigure f = figure();
    QString state;
    if (!growth_)
        state = QStringLiteral("Not computed yet");
    else if (!growth_->Finished())
        state = QStringLiteral("Computing...");
    else if (growth_->Cancelled())
        state = QStringLiteral("Cancelled");
    else
        state = QStringLiteral("Done");
    if (growth_)
        state = QStringLiteral("%1, height = width, at most %2 s a run: %3")
                    .arg(OrderName(growth_->Order()))
                    .arg(growth_->Budget())
                    .arg(state);
    lblState->setText(state);

    tblGrowth->horizontalHeaderItem(kFigure)->setText(FigureName(f));
    GrowthReportInfo info;
    info.order = growth_ ? growth_->Order() : cboOrder->currentIndex();
    info.figure = f;
    const std::vector<int> sizes = growth_ ? growth_->Sizes() : GrowthSizes();
    std::vector<GrowthChart::Line> lines;
    const bool sorting = tblGrowth->isSortingEnabled();
    tblGrowth->setSortingEnabled(false);
    for (int r = 0; r < kRoutineCount; ++r) {
        const GrowthRow row = r < static_cast<int>(rows_.size()) ? rows_[r] : GrowthRow{};
        const QStringList t = GrowthRowText(r, row, sizes, info);
        const std::optional<double> e = MeasuredGrowth(row.points, f);
        const bool counted = f != GrowthFigure::Comparisons || ComparesValues(r);
        const double inf = std::numeric_limits<double>::infinity();
        auto* name = new FigureItem(t[0], r);
        name->setData(Qt::UserRole, r);
        name->setForeground(GrowthChart::colour(r));
        tblGrowth->setItem(r, kName, name);
        tblGrowth->setItem(r, kLargest, new FigureItem(t[1], row.points.empty() ? inf : row.points.back().size));
        tblGrowth->setItem(r, kFigure,
                           new FigureItem(t[2], row.points.empty() || !counted ? inf
                                                                               : row.points.back().Figure(f)));
        tblGrowth->setItem(r, kGrowth, new FigureItem(t[3], e && counted ? *e : inf));
        QString claimed = t[4];
        if (!t[5].isEmpty())
            claimed += QStringLiteral(" (%1)").arg(t[5]);
        tblGrowth->setItem(r, kClaimed, new FigureItem(claimed, r));
        tblGrowth->setItem(r, kEnded, new FigureItem(t[6], static_cast<int>(row.end)));
        for (int c : {kLargest, kFigure, kGrowth})
            tblGrowth->item(r, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (counted) {
            GrowthChart::Line line{r, t[0], {}};
            for (const GrowthPoint& p : row.points)
                if (p.Figure(f) > 0)
                    line.points.emplace_back(p.size, static_cast<double>(p.Figure(f)));
            if (!line.points.empty())
                lines.push_back(std::move(line));
        }
    }
    tblGrowth->setSortingEnabled(sorting);
    tblGrowth->resizeColumnsToContents();
    chart->setLines(std::move(lines), FigureName(f), sizes.empty() ? 16 : sizes.front(),
                    sizes.empty() ? 32768 : sizes.back());
}

QString GrowthView::PageText(ReportFormat format) const
{
    GrowthReportInfo info;
    info.order = growth_ ? growth_->Order() : cboOrder->currentIndex();
    info.budget = growth_ ? growth_->Budget() : spnBudget->value();
    info.figure = figure();
    return GrowthReport(rows_, growth_ ? growth_->Sizes() : GrowthSizes(), info, format);
}

bool GrowthView::SaveCsv(const QString& path, QString* why) const
{
    const QString failed = SaveWhole(path, PageText(ReportFormat::Csv).toUtf8());
    if (why)
        *why = failed;
    return failed.isEmpty();
}

// ---------------------------------------------------------------- the page

GrowthView* AddGrowthPage(QStackedWidget* pages, QBoxLayout* top, QAbstractButton* allOrders,
                          const QList<QWidget*>& otherPagesOnly)
{
    auto* view = new GrowthView;
    pages->addWidget(view);
    // Takes the room of the data label, which speaks of the other pages.
    auto* filler = new QWidget;
    filler->hide();
    top->insertWidget(0, filler, 1);
    auto* box = new QCheckBox(QStringLiteral("&Growth"));
    box->setObjectName(QStringLiteral("chkGrowth"));
    box->setToolTip(QStringLiteral("How each routine's work grows with the width of the data"));
    top->insertWidget(top->indexOf(allOrders) + 1, box);
    QObject::connect(box, &QCheckBox::toggled, view, [=](bool on) {
        for (QWidget* w : otherPagesOnly)
            w->setVisible(!on);
        filler->setVisible(on);
        pages->setCurrentIndex(on ? pages->indexOf(view) : (allOrders->isChecked() ? 1 : 0));
        // Computed the first time it is shown; Refresh computes it again.
        if (on && !view->growth()) {
            // Thirty lines and their legend need more height than the table pages.
            QWidget* window = view->window();
            if (window->height() < 640)
                window->resize(window->width(), 640);
            view->Start();
        }
    });
    QObject::connect(allOrders, &QAbstractButton::toggled, box, [box] { box->setChecked(false); });
    return view;
}

bool GrowthShown(const GrowthView* view)
{
    if (!view)
        return false;
    auto* pages = qobject_cast<const QStackedWidget*>(view->parentWidget());
    return pages && pages->currentWidget() == view;
}
