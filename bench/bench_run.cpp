// How long a whole 1000-value run takes at delay 0, four ways: the engine
// alone on the null view, the run drawing into a picture box with no window,
// the run in the real main window on screen, and the same with View > Sound
// on. The window should stay within 1.5 times the picture-box-only run:
// presenting the plot may not cost per step; and the sound within 1.1 times
// the window without it: a step tells the sound its values and no more.
// The sound plays on SDL's silent dummy device unless SDL_AUDIODRIVER names
// another.
//
// Then what keeping a run's history costs: the same window runs recorded (as
// Start records them, so a paused run can step back) and not, the memory of a
// whole recorded Bubble Sort, and one Step Back and one Step Forward in a run
// held half way, repaint included.
//
// Last, the same Bubble Sort in the window in each style of View > Style.
//
// "bench_run code" times only what View > Code costs: the 1000-value Bubble
// Sort recorded in the window as Start runs it, the code hidden and shown
// (the window made wider so the plot stays 640 x 480), in turns, the best of
// five each. Targets: hidden within 2 % of the program before the code was
// kept, shown within 15 % of hidden.
#include "engine/Dispatch.h"
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "engine/RunHistory.h"
#include "engine/StepControl.h"
#include "mainwindow/Main.h"
#include "mainwindow/RunControl.h"
#include "mainwindow/frmMain.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "sound/StepSound.h"
#include "view/PlotStyle.h"
#include "view/PlotView.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace {

constexpr int kWidth = 1000;

// Counts the steps a routine draws and passes them on.
class CountingView : public SortView {
public:
    explicit CountingView(SortView* next = nullptr) : next_(next) {}
    void DrawLine(int X, int Y, int z) override { ++steps; if (next_) next_->DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { ++steps; if (next_) next_->DrawPlot(X, o); }
    void DoReset(int X) override { if (next_) next_->DoReset(X); else Comparisons = 0; }
    void DoStatus() override { if (next_) next_->DoStatus(); }
    long steps = 0;

private:
    SortView* next_;
};

// The plot of a picture box that is never shown, as a view.
class PlotOnlyView : public SortView {
public:
    explicit PlotOnlyView(PlotView& plot) : plot_(plot) {}
    void DrawLine(int X, int Y, int z) override { plot_.DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { plot_.DrawPlot(X, o); }
    void DoReset(int) override { Comparisons = 0; }
    void DoStatus() override {}

private:
    PlotView& plot_;
};

void PrepareData(int type)
{
    ResetSharedState();
    ColorSet = {0, 15, 10, 9, 12};
    DrawSet = {2, 0};
    SortSet = {6, 1000, kWidth};
    SortType = static_cast<Integer>(type);
    RestartRnd();
    FillSource();
    SortData = SourceData;
    DataReady = true;
}

void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The processor time of the calling thread: on a busy machine the wall
// clock also counts the time other programs took.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double lastThreadSeconds = 0; // of the last TimedRun

double TimedRun()
{
    const double start = ClockSeconds();
    const double thread = ThreadSeconds();
    mnuStart_Click();
    lastThreadSeconds = ThreadSeconds() - thread;
    return ClockSeconds() - start;
}

long CountSteps(int type)
{
    PrepareData(type);
    CountingView counter;
    MainView = &counter;
    mnuStart_Click();
    MainView = &TheNullView();
    return counter.steps;
}

// Short runs are timed several times and the best counts, so start-up
// noise does not decide the ratio.
int Repeats(int type)
{
    return type == 1 ? 1 : 7;
}

double EngineOnly(int type)
{
    double best = 1e9;
    for (int i = 0; i < Repeats(type); ++i) {
        PrepareData(type);
        best = std::min(best, TimedRun());
    }
    return best;
}

double PictureBoxOnly(int type)
{
    PrepareData(type);
    PictureBox box;
    box.resize(640, 480);
    box.setBackColor(QBColor(ColorSet[0]));
    box.setForeColor(QBColor(ColorSet[1]));
    box.setDrawWidth(DrawSet[0]);
    PlotView plot(box);
    plot.XScale = static_cast<float>(SortSet[2] / box.ScaleWidth());
    plot.YScale = static_cast<float>(SortSet[1] / box.ScaleHeight());
    plot.DrawBox();
    PlotOnlyView view(plot);
    double best = 1e9;
    for (int i = 0; i < Repeats(type); ++i) {
        PrepareData(type);
        MainView = &view;
        plot.DrawBox();
        best = std::min(best, TimedRun());
    }
    MainView = &TheNullView();
    return best;
}

// What telling the sound one step costs the window, in seconds: a step
// that moves two markers, with the sound on and playing.
double SoundPerStep()
{
    PrepareData(1);
    Main();
    StepSound& sound = MainWindow()->sound();
    sound.SetOn(true);
    sound.Reset(2);
    constexpr int kSteps = 5'000'000;
    const double start = ThreadSeconds();
    for (int i = 0; i < kSteps; ++i)
        sound.Line(-1, i % kWidth + 1, i % 7 + 1);
    const double seconds = (ThreadSeconds() - start) / kSteps;
    EndMain();
    return seconds;
}

// The best run in the window, and the window thread's processor time in it.
// code: 0 hidden, 1 shown in the same window, 2 shown in a window wider by the code's share.
double InWindow(int type, QSize* plotSize, bool sound, double* threadSeconds, bool recorded = false, int code = 0)
{
    PrepareData(type);
    Main();
    frmMain* w = MainWindow();
    if (sound && (w->sound().SetOn(true), !w->sound().IsOn()))
        std::printf("(no sound: %s)\n", qPrintable(w->sound().Reason()));
    if (code > 0)
        w->action("mnuViewCode")->trigger();
    // Client area so that the plot (client height less 66 pixels of bars) is 640 x 480.
    const int chrome = w->height() - w->centralWidget()->height();
    // The code takes two fifths of the client width: 1066 leaves the plot 640.
    w->resize(code == 2 ? 1066 : 640, 480 + 66 + chrome);
    for (int i = 0; i < 100 && !(w->windowHandle() && w->windowHandle()->isExposed()); ++i)
        Wait(20);
    Wait(50);
    double best = 1e9;
    for (int i = 0; i < Repeats(type); ++i) {
        PrepareData(type); // the load replaced the settings with the stored ones
        MainView = w;
        w->DoReset(1);
        w->RefreshData();
        *plotSize = w->picBox().size();
        Wait(20);
        if (recorded) {
            const double start = ClockSeconds();
            w->mnuStart_Click(); // the window's Start records the run
            best = std::min(best, ClockSeconds() - start);
        } else if (const double seconds = TimedRun(); seconds < best) {
            best = seconds;
            *threadSeconds = lastThreadSeconds;
        }
    }
    EndMain();
    return best;
}

// The history of a whole 1000-value Bubble Sort, recorded as the window
// records it but drawn nowhere.
std::size_t HistoryBytes(long* steps)
{
    PrepareData(1);
    int lastX = 0, lastY = 0, lastZ = 0;
    RunHistory history(lastX, lastY, lastZ);
    history.Restart(0);
    class : public RunTrace {
    public:
        RunHistory* h = nullptr;
        std::size_t bytes = 0;
        void Written(std::vector<Integer>& a, int i, Integer v) override { h->Written(a, i, v); }
        void Cleared(std::vector<Integer>& a, std::size_t n) override { h->Cleared(a, n); }
        void Stepped() override { h->Stepped(), bytes = h->Bytes(); }
    } trace;
    trace.h = &history;
    class : public SortView {
    public:
        RunHistory* h = nullptr;
        int *x = nullptr, *y = nullptr, *z = nullptr;
        void DrawLine(int X, int Y, int Z) override
        {
            h->Line(X, Y, Z);
            int* last[] = {x, y, z};
            const int args[] = {X, Y, Z};
            for (int k = 0; k < 3; ++k)
                if (args[k] != -1)
                    *last[k] = args[k];
        }
        void DrawPlot(int X, bool o) override { h->Plot(X, o); }
        void DoReset(int) override { Comparisons = 0; }
        void DoStatus() override {}
    } view;
    view.h = &history, view.x = &lastX, view.y = &lastY, view.z = &lastZ;
    MainView = &view;
    Trace = &trace;
    mnuStart_Click();
    Trace = nullptr;
    MainView = &TheNullView();
    *steps = history.Recorded();
    return trace.bytes;
}

// A 1000-value Bubble Sort in the window, held half way: the mean and the
// slowest of `count` Step Backs, then of as many Step Forwards, each with
// the plot repainted.
void StepCosts(int count)
{
    PrepareData(1);
    Main();
    frmMain* w = MainWindow();
    const int chrome = w->height() - w->centralWidget()->height();
    w->resize(640, 480 + 66 + chrome);
    for (int i = 0; i < 100 && !(w->windowHandle() && w->windowHandle()->isExposed()); ++i)
        Wait(20);
    PrepareData(1);
    MainView = w;
    w->DoReset(1);
    w->RefreshData();
    QTimer::singleShot(400, w, [w] { w->action(QStringLiteral("mnuPause"))->trigger(); });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, w, [&] {
        if (!Holding())
            return;
        poll.stop();
        const RunHistory& history = *w->runControl().History();
        std::printf("Held at step %ld of a 1000-value Bubble Sort, history %.1f MB\n", history.Shown(),
                    history.Bytes() / 1048576.0);
        for (const char* name : {"mnuStepBack", "mnuStepForward"}) {
            QAction* step = w->action(QString::fromLatin1(name));
            double total = 0, worst = 0;
            for (int i = 0; i < count; ++i) {
                const double start = ClockSeconds();
                step->trigger();
                w->picBox().repaint();
                const double took = ClockSeconds() - start;
                total += took, worst = std::max(worst, took);
            }
            std::printf("%-14s mean %6.2f ms, slowest %6.2f ms over %d (target under 5 ms)\n",
                        name + 3, 1000 * total / count, 1000 * worst, count);
        }
        w->mnuStop_Click();
    });
    poll.start(10);
    w->mnuStart_Click();
    EndMain();
}

// A delay-0 Bubble Sort of 1000 values in the window, drawn in `style`.
double InStyle(PlotStyle style)
{
    PrepareData(1);
    Main();
    frmMain* w = MainWindow();
    const int chrome = w->height() - w->centralWidget()->height();
    w->resize(640, 480 + 66 + chrome);
    for (int i = 0; i < 100 && !(w->windowHandle() && w->windowHandle()->isExposed()); ++i)
        Wait(20);
    PrepareData(1);
    MainView = w;
    w->mnuViewStyle_Click(style);
    w->DoReset(1);
    w->RefreshData();
    Wait(20);
    const double seconds = TimedRun();
    EndMain();
    return seconds;
}

// Each style against bars: target at most 1.3 times.
void Styles()
{
    std::printf("\nA 1000-value Bubble Sort at delay 0 in the main window, by style (target 1.3x bars at most)\n");
    std::array<double, PlotStyles.size()> best;
    best.fill(1e9);
    // In turns, the best of three each, so the machine's other work weighs on all alike.
    for (int round = 0; round < 3; ++round)
        for (std::size_t k = 0; k < PlotStyles.size(); ++k)
            best[k] = std::min(best[k], InStyle(PlotStyles[k].style));
    for (std::size_t k = 0; k < PlotStyles.size(); ++k)
        std::printf("%-18s %8.3f s  %5.2fx bars\n", PlotStyles[k].name, best[k], best[k] / best[0]);
}

} // namespace

void CodeCosts()
{
    std::printf("View > Code: a 1000-value Bubble Sort at delay 0 in the main window, recorded as Start records it\n");
    double hidden = 1e9, shown = 1e9, wider = 1e9;
    QSize plot, shownPlot, widerPlot;
    for (int i = 0; i < 5; ++i) {
        double thread = 0;
        hidden = std::min(hidden, InWindow(1, &plot, false, &thread, true));
        shown = std::min(shown, InWindow(1, &shownPlot, false, &thread, true, 1));
        wider = std::min(wider, InWindow(1, &widerPlot, false, &thread, true, 2));
    }
    std::printf("code hidden                %8.3f s (plot %dx%d)\n", hidden, plot.width(), plot.height());
    std::printf("code shown, same window    %8.3f s (plot %dx%d), %+6.1f%% (target 15%% at most)\n", shown,
                shownPlot.width(), shownPlot.height(), 100 * (shown / hidden - 1));
    std::printf("code shown, window wider   %8.3f s (plot %dx%d), %+6.1f%% (target 15%% at most)\n", wider,
                widerPlot.width(), widerPlot.height(), 100 * (wider / hidden - 1));
}

int main(int argc, char** argv)
{
    // Never read or write the user's own settings.
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);
    if (argc > 1 && std::string_view(argv[1]) == "code") {
        CodeCosts();
        return 0;
    }
    if (argc > 1 && std::string_view(argv[1]) == "styles") {
        Styles(); // only the styles' figures
        return 0;
    }

    std::printf("Whole runs of %d values at delay 0 on the '%s' platform\n\n", kWidth,
                qPrintable(QGuiApplication::platformName()));
    std::printf("%-12s %-22s %10s %14s\n", "Routine", "Drawing", "seconds", "steps/second");
    bool allWithin = true;
    bool soundWithin = true;
    for (const auto& [type, name] : {std::pair{1, "Bubble Sort"}, std::pair{6, "Quick Sort"}}) {
        const long steps = CountSteps(type);
        const double engine = EngineOnly(type);
        const double image = PictureBoxOnly(type);
        QSize plot;
        // The window without and with the sound in turns, the best of three
        // each, so a busy machine weighs on both alike.
        double window = 1e9, withSound = 1e9, windowThread = 0, soundThread = 0;
        for (int round = 0; round < 3; ++round) {
            double thread = 0;
            if (const double seconds = InWindow(type, &plot, false, &thread); seconds < window)
                window = seconds, windowThread = thread;
            if (const double seconds = InWindow(type, &plot, true, &thread); seconds < withSound)
                withSound = seconds, soundThread = thread;
        }
        const QString windowLabel = QStringLiteral("main window %1x%2").arg(plot.width()).arg(plot.height());
        const std::pair<const char*, double> rows[] = {{"engine, null view", engine},
                                                       {"picture box 640x480", image},
                                                       {qPrintable(windowLabel), window},
                                                       {"main window, sound on", withSound}};
        for (const auto& [label, seconds] : rows)
            std::printf("%-12s %-22s %10.3f %14.0f\n", name, label, seconds, steps / seconds);
        const double ratio = window / image;
        allWithin = allWithin && ratio <= 1.5;
        std::printf("%-12s %-22s %10.2f   (%ld steps; target 1.5 at most)\n", name, "window / picture box", ratio,
                    steps);
        const double soundRatio = withSound / window;
        soundWithin = soundWithin && soundRatio <= 1.1;
        std::printf("%-12s %-22s %10.2f   (target 1.1 at most; window thread's processor time %.2f)\n\n", name,
                    "sound on / off", soundRatio, soundThread / windowThread);
    }
    std::printf("%s\n", allWithin ? "The window is within 1.5x of drawing alone." : "The window is SLOWER than 1.5x of drawing alone.");
    std::printf("Telling the sound a step costs the window %.1f ns.\n", SoundPerStep() * 1e9);
    std::printf("%s\n", soundWithin ? "The sound is within 1.1x of the window without it." : "The sound makes runs SLOWER than 1.1x.");

    std::printf("\nRecording the history in the main window (target: at most 10%% slower)\n");
    for (const auto& [type, name] : {std::pair{1, "Bubble Sort"}, std::pair{6, "Quick Sort"}}) {
        // Taken in turns, the best of three each, so the machine's other work
        // does not decide the difference.
        QSize plot;
        double plain = 1e9, recorded = 1e9;
        for (int i = 0; i < 3; ++i) {
            double thread = 0;
            plain = std::min(plain, InWindow(type, &plot, false, &thread));
            recorded = std::min(recorded, InWindow(type, &plot, false, &thread, true));
        }
        std::printf("%-12s not recorded %8.3f s, recorded %8.3f s, %+6.1f%%\n", name, plain, recorded,
                    100 * (recorded / plain - 1));
    }
    long steps = 0;
    const std::size_t bytes = HistoryBytes(&steps);
    std::printf("\nHistory of a whole 1000-value Bubble Sort: %ld steps in %.1f MB, %.1f bytes a step (target 16 MB)\n\n",
                steps, bytes / 1048576.0, steps ? static_cast<double>(bytes) / steps : 0.0);
    StepCosts(200);
    Styles();
    return 0;
}
