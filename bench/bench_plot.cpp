// What the plot costs a sort step: moving the markers (with and without the
// event pump that every step runs), a single bar of Counting Sort, and the
// whole-chart redraw, on a 640 x 480 plot of 1000 bars; and the markers'
// moves in each style.
#include "engine/Module1.h"
#include "platform/PictureBox.h"
#include "platform/Palette.h"
#include "platform/Runtime.h"
#include "view/PlotView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Plot {
    PictureBox box;
    PlotView view{box};

    Plot()
    {
        ResetSharedState();
        SortSet = {6, 1000, 1000};
        ColorSet = {0, 15, 12, 10, 14};
        DrawSet = {2, 0};
        SortData.assign(1001, 0);
        AuxData.assign(1001, 0);
        RestartRnd();
        for (int i = 1; i <= 1000; ++i)
            SortData[static_cast<std::size_t>(i)] = AuxData[static_cast<std::size_t>(i)] =
                static_cast<Integer>(1 + Rnd() * 1000);
        DataReady = true;
        box.resize(640, 480);
        box.setDrawWidth(DrawSet[0]);
        box.setBackColor(QBColor(ColorSet[0]));
        box.setForeColor(QBColor(ColorSet[1]));
        box.show();
        view.XScale = static_cast<float>(SortSet[2] / box.ScaleWidth());
        view.YScale = static_cast<float>(SortSet[1] / box.ScaleHeight());
        view.DrawBox();
        DoEvents();
    }
};

// The markers of a Bubble Sort pass: two adjacent bars moving right.
void BM_DrawLine(benchmark::State& state)
{
    Plot plot;
    int i = 1;
    for (auto _ : state) {
        plot.view.DrawLine(i, i + 1, -1);
        i = i % 998 + 1;
    }
    plot.box.flush();
    DoEvents();
}
BENCHMARK(BM_DrawLine);

// The same markers in each style of View > Style (0 bars .. 5 spiral).
void BM_DrawLineInStyle(benchmark::State& state)
{
    Plot plot;
    const PlotStyleInfo& style = PlotStyles[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(style.name);
    plot.view.SetStyle(style.style);
    plot.view.DrawBox();
    int i = 1;
    for (auto _ : state) {
        plot.view.DrawLine(i, i + 1, -1);
        i = i % 998 + 1;
    }
    plot.box.flush();
    DoEvents();
}
BENCHMARK(BM_DrawLineInStyle)->DenseRange(0, static_cast<int>(PlotStyles.size()) - 1);

void BM_DrawLineAndPump(benchmark::State& state)
{
    Plot plot;
    int i = 1;
    for (auto _ : state) {
        plot.view.DrawLine(i, i + 1, -1);
        DoEvents();
        i = i % 998 + 1;
    }
}
BENCHMARK(BM_DrawLineAndPump);

void BM_DrawPlot(benchmark::State& state)
{
    Plot plot;
    int i = 1;
    for (auto _ : state) {
        plot.view.DrawPlot(i, (i & 1) != 0);
        i = i % 1000 + 1;
    }
    plot.box.flush();
    DoEvents();
}
BENCHMARK(BM_DrawPlot);

void BM_DrawBox(benchmark::State& state)
{
    Plot plot;
    for (auto _ : state) {
        plot.view.DrawBox();
        DoEvents();
    }
}
BENCHMARK(BM_DrawBox)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
