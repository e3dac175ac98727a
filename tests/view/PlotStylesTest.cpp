// The styles beside the bars, in pixels: where each element lands, that the
// markers show, what a sorted data set looks like, and that drawing step by
// step gives exactly the picture a whole redraw of the same step gives.
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "engine/RunHistory.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "support/HistoryRecorder.h"
#include "support/QtPrint.h"
#include "view/PlotPainter.h"
#include "view/PlotView.h"

#include <gtest/gtest.h>

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <random>

void PrintTo(PlotStyle style, std::ostream* os) { *os << StyleName(style).toStdString(); }

namespace {

// A plot of `width` x `height` pixels showing SortData in `style`.
struct Plot {
    PictureBox box;
    PlotView view{box};

    Plot(PlotStyle style, int width, int height)
    {
        view.SetStyle(style);
        box.resize(width, height);
        box.setDrawWidth(DrawSet[0]);
        box.setBackColor(QBColor(ColorSet[0]));
        box.setForeColor(QBColor(ColorSet[1]));
        view.XScale = float(SortSet[2] / box.ScaleWidth());
        view.YScale = float(SortSet[1] / box.ScaleHeight());
    }
    QRgb At(double x, double y) const { return box.image().pixel(int(std::floor(x)), int(std::floor(y))); }
};

const QRgb kBack = QBColor(0).rgb(), kFore = QBColor(15).rgb();
const QRgb kMarker[3] = {QBColor(12).rgb(), QBColor(10).rgb(), QBColor(9).rgb()};

class StylesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        ColorSet = {0, 15, 12, 10, 9};
        DrawSet = {2, 0};
        DataReady = true;
    }
    void TearDown() override
    {
        Trace = nullptr;
        ResetSharedState();
    }
    static void Load(std::vector<Integer> values, int height)
    {
        values.insert(values.begin(), 0);
        SortData = values;
        AuxData.assign(values.size(), 0);
        SortSet = {0, static_cast<Integer>(height), static_cast<Integer>(values.size() - 1)};
    }
};

// A point of the disc of a 200 x 100 plot (centre 100, 50; radius 49): the
// middle of element i's wedge of N, `rho` pixels out.
QPointF OnWedge(int i, int N, double rho)
{
    const double angle = (i - 0.5) / N * 2 * M_PI; // clockwise from the top
    return {100 + rho * std::sin(angle), 50 - rho * std::cos(angle)};
}

double HueOf(QRgb rgb) { return QColor(rgb).hsvHueF(); }

// ---------------------------------------------------------------- geometry

// Twenty values 5, 10, ..., 100 (sorted) on a 200 x 100 plot of height 100:
// element i stands at column 10 i and value v is v pixels high.
TEST_F(StylesTest, ColumnStylesPutEachValueAtItsHeightAndSortedRainbowIsAGradient)
{
    std::vector<Integer> values;
    for (int i = 1; i <= 20; ++i)
        values.push_back(static_cast<Integer>(5 * i));
    Load(values, 100);
    Plot dots(PlotStyle::Dots, 200, 100), rainbow(PlotStyle::Rainbow, 200, 100);
    dots.view.DrawBox();
    rainbow.view.DrawBox();
    double lastHue = -1;
    for (int i = 1; i < 20; ++i) {
        SCOPED_TRACE(i);
        const int x = 10 * i, top = 100 - 5 * i;
        // A dot of 2 x 2 centred on the bar's top, nothing below or above it.
        EXPECT_EQ(dots.At(x, top), kFore);
        EXPECT_EQ(dots.At(x - 1, top - 1), kFore);
        EXPECT_EQ(dots.At(x, top + 1), kBack);
        EXPECT_EQ(dots.At(x, top - 2), kBack);
        EXPECT_EQ(dots.At(x + 2, top), kBack);
        // A bar from the bottom to the value, in the hue of the value.
        EXPECT_EQ(rainbow.At(x, 99), rainbow.At(x, top));
        EXPECT_EQ(rainbow.At(x, top - 1), kBack);
        EXPECT_EQ(rainbow.At(x, top), ValueHue(5 * i, 100, 0.75));
        EXPECT_GT(HueOf(rainbow.At(x, 99)), lastHue) << "low values red through violet";
        lastHue = HueOf(rainbow.At(x, 99));
    }
    EXPECT_LT(HueOf(rainbow.At(10, 99)), 0.05) << "red";
    EXPECT_NEAR(HueOf(rainbow.At(199, 99)) * 360, 270, 3) << "violet";
}

TEST_F(StylesTest, DiscStylesPutEachIndexAtItsAngleAndSortedDataMakeWheelSpiralAndRing)
{
    std::vector<Integer> values;
    for (int i = 1; i <= 20; ++i)
        values.push_back(static_cast<Integer>(5 * i));
    Load(values, 100);
    Plot wheel(PlotStyle::ColorCircle, 200, 100), spiral(PlotStyle::Spiral, 200, 100), ring(PlotStyle::DisparityCircle, 200, 100);
    for (Plot* p : {&wheel, &spiral, &ring})
        p->view.DrawBox();
    double lastHue = -1;
    for (int i = 1; i <= 20; ++i) {
        SCOPED_TRACE(i);
        // The colour wheel: hue rises with the index all the way round.
        const QRgb hue = wheel.At(OnWedge(i, 20, 30).x(), OnWedge(i, 20, 30).y());
        EXPECT_EQ(hue, wheel.At(OnWedge(i, 20, 8).x(), OnWedge(i, 20, 8).y()));
        EXPECT_GT(HueOf(hue), lastHue);
        lastHue = HueOf(hue);
        // The spiral: the wedge filled out to 49 * v / 100.
        const double reach = 49 * 5 * i / 100.0;
        if (reach > 4) {
            const QPointF in = OnWedge(i, 20, reach - 2);
            EXPECT_EQ(spiral.At(in.x(), in.y()), kFore);
        }
        if (reach + 3 < 49) {
            const QPointF out = OnWedge(i, 20, reach + 2);
            EXPECT_EQ(spiral.At(out.x(), out.y()), kBack);
        }
        // The ring: every value at home, on the rim in its hue; inside empty.
        const QPointF rim = OnWedge(i, 20, 48), inside = OnWedge(i, 20, 42);
        EXPECT_EQ(ring.At(rim.x(), rim.y()), hue);
        EXPECT_EQ(ring.At(inside.x(), inside.y()), kBack);
    }
    EXPECT_GT(lastHue, 0.9) << "the whole wheel";
    EXPECT_EQ(wheel.At(2, 2), kBack) << "outside the disc";
}

// Out of order, each value stands nearer the centre the further it is from
// its place in the sorted data (ties share their places).
TEST_F(StylesTest, DisparityCircleDrawsEachValueByItsDistanceFromHome)
{
    const std::vector<Integer> values = {100, 20, 20, 40, 50, 60, 70, 80, 90, 5};
    Load(values, 100);
    Plot ring(PlotStyle::DisparityCircle, 200, 100);
    ring.view.DrawBox();
    // Sorted: 5 20 20 40 50 60 70 80 90 100; 20 is at home in places 2 and 3.
    const int distance[] = {9, 0, 0, 0, 0, 0, 0, 0, 0, 9};
    for (int i = 1; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const double outer = 49 * (1 - distance[i - 1] / 10.0); // a band of 4 (twice the pen) inside it
        const QPointF on = OnWedge(i, 10, outer - 2), inside = OnWedge(i, 10, outer - 6), beyond = OnWedge(i, 10, outer + 2);
        EXPECT_EQ(ring.At(on.x(), on.y()), ValueHue(values[i - 1], 100, 1 - 1 / 100.0));
        EXPECT_EQ(ring.At(inside.x(), inside.y()), kBack);
        if (outer + 3 < 49) {
            EXPECT_EQ(ring.At(beyond.x(), beyond.y()), kBack);
        }
    }
}

// ---------------------------------------------------------------- markers

class MarkersTest : public StylesTest, public ::testing::WithParamInterface<PlotStyle> {};

// Marked elements show in the marker colours at their places; on a crowded
// plot (1000 elements in 200 x 100) they still show.
TEST_P(MarkersTest, MarkersShowInTheirColoursEvenWhenElementsAreThinnerThanAPixel)
{
    for (const int N : {20, 1000}) {
        SCOPED_TRACE(N);
        Load(std::vector<Integer>(N, 50), 100);
        Plot plot(GetParam(), 200, 100);
        plot.view.DrawBox();
        const int marked[3] = {N / 5, N / 2, 4 * N / 5};
        plot.view.DrawLine(marked[0], marked[1], marked[2]);
        for (int k = 0; k < 3; ++k) {
            const QImage& image = plot.box.image();
            long count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixel(x, y) == kMarker[k];
            EXPECT_GE(count, 4) << "marker " << k + 1;
            if (N != 20)
                continue;
            const bool disc = GetParam() >= PlotStyle::ColorCircle;
            const QPointF at = disc ? OnWedge(marked[k], N, GetParam() == PlotStyle::Spiral ? 20 : GetParam() == PlotStyle::DisparityCircle ? 48 : 30)
                                    : QPointF(10 * marked[k], 50);
            EXPECT_EQ(plot.At(at.x(), at.y()), kMarker[k]) << "marker " << k + 1;
        }
        // Moved on, a marker leaves its element in the element's own colours
        // (bars restore a bar over its neighbours, as they always did).
        if (GetParam() == PlotStyle::Bars)
            continue;
        const QImage before = plot.box.image().copy();
        plot.view.DrawLine(marked[0] + 1, -1, -1);
        plot.view.DrawLine(marked[0], -1, -1);
        EXPECT_TRUE(plot.box.image() == before);
    }
}

// Any image is painted by the same code as the window's plot: a plain
// image of the same size shows the same picture.
TEST_P(MarkersTest, APlainImageShowsWhatThePlotShows)
{
    std::vector<Integer> values;
    for (int i = 1; i <= 37; ++i)
        values.push_back(static_cast<Integer>((i * 53) % 100 + 1));
    Load(values, 100);
    Plot plot(GetParam(), 200, 100);
    plot.view.DrawBox();
    plot.view.DrawLine(5, 20, 30);
    QImage image(200, 100, QImage::Format_RGB32);
    const std::unique_ptr<PlotPainter> painter = PlotPainter::Make(GetParam());
    PlotColors colors;
    for (std::size_t role = 0; role < 5; ++role)
        colors.role[role] = QBColor(ColorSet[role]).rgb();
    painter->Begin(image, PlotGeometry::ForImage(image.size(), 37, 100, 2), colors);
    painter->Clear(kBack);
    painter->NewData(SortData);
    for (int i = 1; i <= 37; ++i)
        painter->Draw(i, SortData[std::size_t(i)], ShownColumn::Fore, kFore);
    painter->End();
    painter->Begin(image, PlotGeometry::ForImage(image.size(), 37, 100, 2), colors);
    const int marked[3] = {5, 20, 30};
    for (int k = 0; k < 3; ++k)
        painter->Redraw(marked[k], SortData[std::size_t(marked[k])], ShownColumn::Role(ShownColumn::Marker1 + k), kMarker[k]);
    painter->End();
    EXPECT_TRUE(image == plot.box.image());
}

INSTANTIATE_TEST_SUITE_P(EveryStyle, MarkersTest,
                         ::testing::Values(PlotStyle::Bars, PlotStyle::Dots, PlotStyle::Rainbow, PlotStyle::ColorCircle,
                                           PlotStyle::DisparityCircle, PlotStyle::Spiral),
                         [](const auto& info) { return StyleName(info.param).remove(' ').toStdString(); });

// ---------------------------------------------------------------- step by step

using Recorder = HistoryRecorder;

struct Case {
    PlotStyle style;
    int routine;
    int width, pixels, pen; // elements, plot width (height half of it), pen width
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << StyleName(c.style).toStdString() << ", " << RoutineTable[c.routine].name << ", " << c.width << " in " << c.pixels
        << " pixels, pen " << c.pen;
}

class StepByStepTest : public StylesTest, public ::testing::WithParamInterface<Case> {};

// At random steps of a real run, and after stepping back and forward again
// (each a whole redraw from the history) and running on, the plot is exactly
// what a whole redraw of the step shows on a fresh plot.
TEST_P(StepByStepTest, EqualsAWholeRedrawAfterRandomStepsAndAfterStepBack)
{
    const Case c = GetParam();
    DrawSet[0] = static_cast<Integer>(c.pen);
    RestartRnd();
    std::vector<Integer> values;
    for (int i = 0; i < c.width; ++i)
        values.push_back(static_cast<Integer>(1 + 100 * Rnd()));
    Load(values, 100);
    Sorting = true;
    const std::vector<Integer> start = SortData;
    Plot plot(c.style, c.pixels, c.pixels / 2);
    plot.view.DrawBox();
    RunHistory history(plot.view.LastX, plot.view.LastY, plot.view.LastZ);
    history.Restart(0);
    Recorder recorder(history, plot.view);
    std::mt19937 random(static_cast<unsigned>(c.routine));
    int checks = 0;
    auto expectWhole = [&](const char* when) {
        Plot fresh(c.style, c.pixels, c.pixels / 2);
        const std::vector<Integer> now = SortData;
        SortData = start; // the data set the run began with fixes every value's home
        fresh.view.DrawBox();
        SortData = now;
        fresh.view.DrawColumns(history.Columns());
        ++checks;
        ASSERT_TRUE(plot.box.image() == fresh.box.image()) << when << " at step " << history.Shown();
    };
    bool steppedBack = false;
    recorder.held = [&] {
        if (random() % 40 != 0)
            return;
        expectWhole("running");
        if (steppedBack)
            return; // once: the run goes on from the redraw
        steppedBack = true;
        for (int k = 0; k < 7 && history.Back(); ++k)
            plot.view.DrawColumns(history.Columns());
        expectWhole("stepped back");
        history.ToPresent();
        plot.view.DrawColumns(history.Columns());
    };
    Trace = &recorder;
    {
        SortView* previous = MainView;
        MainView = &recorder;
        RoutineTable[c.routine].entry();
        MainView = previous;
    }
    Trace = nullptr;
    expectWhole("at the end");
    EXPECT_GE(checks, 3);
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    // Sparse (each element its own pixels) and crowded (elements share
    // pixels), pens 1 to 3; Bubble, Quick, Merge and Counting Sort between
    // them mark, swap, write scratch values and clear columns.
    const Case shapes[] = {{PlotStyle::Bars, 1, 40, 200, 2}, {PlotStyle::Bars, 6, 150, 120, 1},
                           {PlotStyle::Bars, 4, 90, 100, 3}, {PlotStyle::Bars, 10, 150, 120, 2}};
    for (PlotStyle style : {PlotStyle::Dots, PlotStyle::Rainbow, PlotStyle::ColorCircle, PlotStyle::DisparityCircle, PlotStyle::Spiral})
        for (Case shape : shapes) {
            shape.style = style;
            cases.push_back(shape);
        }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryStyleButBars, StepByStepTest, ::testing::ValuesIn(Cases()), [](const auto& info) {
    std::string name = StyleName(info.param.style).remove(' ').toStdString() + "_";
    name += RoutineTable[info.param.routine].name;
    name += "_" + std::to_string(info.param.width) + "in" + std::to_string(info.param.pixels);
    std::erase(name, ' ');
    return name;
});

} // namespace
