// How quickly the real window answers during a run: the time from a Stop to
// the end of the run (the routine runs on to its next test of the flag), and
// how late a timed event is handled while a routine is working, which bounds
// how long a click waits.
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "mainwindow/Main.h"
#include "mainwindow/frmMain.h"
#include "platform/Runtime.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Figures {
    double stopToEnd = 0;  // seconds from Stop to the routine's return
    double worstLate = 0;  // latest handling of a timed event during the run
    double meanLate = 0;
};

// Passes the routine's calls to the window and notices when Heap Sort moves
// from building its heap to extracting (its first root marker).
class PhaseWatch : public SortView {
public:
    explicit PhaseWatch(frmMain& w) : w_(w) {}
    void DrawLine(int X, int Y, int z) override
    {
        if (X == 1 && z == -1 && extractingSince == 0)
            extractingSince = ClockSeconds();
        w_.DrawLine(X, Y, z);
    }
    void DrawPlot(int X, bool o) override { w_.DrawPlot(X, o); }
    void DoReset(int X) override { w_.DoReset(X); }
    void DoStatus() override { w_.DoStatus(); }
    double extractingSince = 0;

private:
    frmMain& w_;
};

// Runs `type` on `width` random values at `delay` in the real window, presses
// Stop `stopAfter` seconds into the run (for Heap Sort, into its extraction
// phase when `inExtraction`), and watches a 5 ms heartbeat meanwhile.
Figures measure(int type, int width, int delay, double stopAfter, bool inExtraction = false)
{
    ResetSharedState();
    Main();
    frmMain& w = *MainWindow();
    SortSet = {6, static_cast<Integer>(width), static_cast<Integer>(width)};
    DrawSet = {2, static_cast<Integer>(delay)};
    RestartRnd();
    FillSource();
    SortType = static_cast<Integer>(type);
    DataReady = true;
    w.RefreshData();
    PhaseWatch watch(w);
    MainView = &watch;

    Figures f;
    double stoppedAt = 0;
    QTimer stop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, [&] {
        stoppedAt = ClockSeconds();
        w.mnuStop_Click();
    });

    std::vector<double> late;
    double due = 0;
    QTimer beat;
    beat.setInterval(5);
    beat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const double now = ClockSeconds();
        if (inExtraction && !stop.isActive() && stoppedAt == 0 && watch.extractingSince > 0)
            stop.start(static_cast<int>(stopAfter * 1000));
        if (due > 0)
            late.push_back(std::max(0.0, now - due));
        due = now + 0.005;
    });

    QTimer::singleShot(0, [&] {
        if (!inExtraction)
            stop.start(static_cast<int>(stopAfter * 1000));
        beat.start();
        w.mnuStart_Click();
        f.stopToEnd = stoppedAt > 0 ? ClockSeconds() - stoppedAt : -1; // -1: ended before the Stop
        beat.stop();
        QApplication::quit();
    });
    QApplication::exec();
    for (double l : late) {
        f.worstLate = std::max(f.worstLate, l);
        f.meanLate += l / static_cast<double>(late.size());
    }
    MainView = &w;
    w.close();
    EndMain();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    std::printf("%-34s %14s %16s %16s\n", "run", "Stop to end", "worst event lag", "mean event lag");
    const Figures stooge = measure(9, 500, 0, 0.02);
    std::printf("%-34s %11.3f ms %13.1f ms %13.2f ms\n", "Stooge Sort, 500 values, delay 0", stooge.stopToEnd * 1e3,
                stooge.worstLate * 1e3, stooge.meanLate * 1e3);
    // Heap Sort tests the flag once per extraction; building the heap runs
    // to its end. Stopped while extracting, and while still building.
    const Figures heap = measure(5, 1000, 10, 1.0, true);
    std::printf("%-34s %11.3f ms %13.1f ms %13.2f ms\n", "Heap Sort, 1000 values, delay 10", heap.stopToEnd * 1e3,
                heap.worstLate * 1e3, heap.meanLate * 1e3);
    const Figures building = measure(5, 100, 10, 1.0);
    std::printf("%-34s %11.3f ms %13.1f ms %13.2f ms\n", "  the same, 100, stopped building", building.stopToEnd * 1e3,
                building.worstLate * 1e3, building.meanLate * 1e3);
    return 0;
}
