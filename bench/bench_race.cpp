// The race's speed and memory: frames a second with every routine racing at
// width 100 and 1000 in a 1280 x 1024 window, the grid of every routine by
// the nine orders at width 64, the time from Start to the first moving frame,
// the memory of a race with Stooge Sort at width 1000, and the work done
// while paused. Prints figures; run under QT_QPA_PLATFORM=offscreen.
#include "compare/Comparison.h"
#include "engine/Routines.h"
#include "race/Race.h"

#include <QElapsedTimer>
#include <QApplication>
#include <QPainter>
#include <QSlider>
#include <QComboBox>

#include "engine/FillSource.h"
#include "racewindow/frmRace.h"

#include <sys/resource.h>

#include <cstdio>
#include <thread>

namespace {

std::vector<int> Runnable(int width)
{
    std::vector<int> all;
    for (int r = 0; r < kRoutineCount; ++r)
        if (RoutineRuns(r) && WithinLimit(r, width))
            all.push_back(r);
    return all;
}

RunInput Input(int width)
{
    RunInput input;
    std::thread([&] { input = FreshInput(6, static_cast<Integer>(width), static_cast<Integer>(width)); }).join();
    return input;
}

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long MaxRssMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

// The lanes' area of a 1280 x 1024 window (the routine list and the
// standings beside it): the grid as the window lays it out.
QSize LaneSize(int lanes, int columns, QSize area)
{
    if (columns <= 0) {
        double best = -1;
        for (int c = 1; c <= lanes; ++c) {
            const int rows = (lanes + c - 1) / c;
            const double fit = std::min(area.width() / double(c) / 4, area.height() / double(rows) / 3);
            if (fit > best) {
                best = fit;
                columns = c;
            }
        }
    }
    const int rows = (lanes + columns - 1) / columns;
    return {area.width() / columns - 2, area.height() / rows - 18};
}

// Frames a second over `seconds`: each frame one tick of `grant` units, the
// changed lanes painted onto the window's surface.
void Frames(const char* what, Race& race, int columns, std::int64_t grant, double seconds)
{
    const QSize area(700, 940);
    race.SetLaneSize(LaneSize(race.Lanes(), columns, area));
    QImage window(1280, 1024, QImage::Format_RGB32);
    QElapsedTimer t;
    t.start();
    long frames = 0;
    while (t.elapsed() < seconds * 1000 && !race.Finished()) {
        if (!race.Tick(grant)) {
            std::this_thread::yield();
            continue;
        }
        if (race.Present()) {
            QPainter p(&window);
            const QSize lane = race.Image(0).size();
            for (int i = 0; i < race.Lanes(); ++i)
                p.drawImage(QPoint((i % 8) * lane.width() % 1200, (i / 8) * 10 % 1000), race.Image(i));
        }
        ++frames;
    }
    std::printf("%-52s %7.1f frames/s (%ld frames, clock %lld)\n", what, frames * 1000.0 / std::max<qint64>(1, t.elapsed()),
                frames, static_cast<long long>(race.Clock()));
}

// Runs the event loop until `done` or the time is up.
template <class F> void Pump(F done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Counts the lanes' repaints.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The window itself at 1280 x 1024: lane repaints a second over three
// seconds of a race, everything the window does each frame included.
void WindowFrames(const char* what, int width, bool allOrders, int speedPosition)
{
    SortSet = {6, static_cast<Integer>(width), static_cast<Integer>(width)};
    FillSource();
    frmRace window(nullptr, PlotStyle::Bars);
    window.resize(1280, 1024);
    window.show();
    Pump([] { return false; }, 300);
    window.findChild<QSlider*>()->setValue(speedPosition);
    window.findChildren<QComboBox*>()[0]->setCurrentIndex(allOrders ? 1 : 0);
    QWidget* lanes = nullptr;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->accessibleName() == QLatin1String("Lanes"))
            lanes = w;
    PaintCounter counter;
    lanes->installEventFilter(&counter);
    QElapsedTimer t;
    t.start();
    window.Start();
    Pump([&] { return window.CurrentRace() && window.CurrentRace()->Clock() > 0; }, 5000);
    const double first = t.nsecsElapsed() / 1e9;
    counter.paints = 0;
    t.restart();
    Pump([] { return false; }, 3000);
    const bool done = window.CurrentRace()->Finished();
    std::printf("%-52s %7.1f frames/s%s (first move %.3f s)\n", what, counter.paints * 1000.0 / t.elapsed(),
                done ? " (finished early)" : "", first);
    window.close();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    WindowFrames("window: every routine, width 100, 1280x1024:", 100, false, 40);
    WindowFrames("window: every routine, width 1000, 1280x1024:", 1000, false, 60);
    WindowFrames("window: every routine by nine orders, width 64:", 64, true, 40);

    for (int width : {100, 1000}) {
        const RunInput input = Input(width);
        auto race = Race::OnData(Runnable(width), input, {});
        const std::string what = "every routine, width " + std::to_string(width) + ", 1280x1024:";
        Frames(what.c_str(), *race, 0, width == 100 ? 200 : 20000, 4);
    }
    {
        auto race = Race::OnOrders(Runnable(64), {0, 1, 2, 3, 4, 5, 6, 7, 8}, 64, 64, {});
        Frames("every routine by nine orders, width 64:", *race, 9, 200, 4);
    }

    // Start to the first moving frame, each routine alone and all together.
    {
        const RunInput input = Input(1000);
        double worst = 0;
        int worstRoutine = 0;
        for (int routine : Runnable(1000)) {
            QElapsedTimer t;
            t.start();
            auto race = Race::OnData({routine}, input, {});
            race->SetLaneSize({160, 120});
            while (!race->Tick(1000))
                std::this_thread::yield();
            race->Present();
            const double s = t.nsecsElapsed() / 1e9;
            if (s > worst) {
                worst = s;
                worstRoutine = routine;
            }
        }
        std::printf("%-52s %7.3f s (worst: %s)\n", "Start to first moving frame, width 1000, one lane:", worst,
                    RoutineTable[static_cast<std::size_t>(worstRoutine)].name);
        QElapsedTimer t;
        t.start();
        auto race = Race::OnData(Runnable(1000), input, {});
        race->SetLaneSize({160, 120});
        while (!race->Tick(1000))
            std::this_thread::yield();
        race->Present();
        std::printf("%-52s %7.3f s\n", "Start to first moving frame, width 1000, all lanes:", t.nsecsElapsed() / 1e9);

        // Memory: every routine at width 1000, Stooge Sort's whole run recorded.
        QElapsedTimer r;
        r.start();
        int stooge = 0;
        for (int i = 0; i < race->Lanes(); ++i)
            if (race->Record(i).Routine() == 9)
                stooge = i;
        while (!race->Record(stooge).Complete() && r.elapsed() < 120000)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::printf("%-52s %7.1f s\n", "Stooge Sort at width 1000 recorded in:", r.elapsed() / 1000.0);
        race->Tick(std::int64_t{1} << 62);
        race->Present();
        std::printf("%-52s %7.1f MB held, %ld MB peak resident\n", "Memory, every routine at width 1000:",
                    static_cast<double>(race->Bytes()) / (1 << 20), MaxRssMb());
        for (int i = 0; i < race->Lanes(); ++i)
            if (race->Record(i).Routine() == 9) {
                auto lock = race->Record(i).Lock();
                std::printf("%-52s %zu marks, %zu element changes, %lld steps\n", "  Stooge Sort's record:",
                            race->Record(i).Marks().size(), race->Record(i).Ops().size(),
                            static_cast<long long>(race->Record(i).Marks().back().steps));
            }
    }

    // Closed while the lanes are still being recorded.
    {
        const RunInput input = Input(1000);
        auto race = Race::OnData(Runnable(1000), input, {});
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        QElapsedTimer t;
        t.start();
        race->Stop();
        std::printf("%-52s %7.1f ms\n", "Closing while recording, every lane ended in:", t.nsecsElapsed() / 1e6);
    }

    // Paused: a race held mid-way, recordings and all.
    {
        const RunInput input = Input(1000);
        auto race = Race::OnData(Runnable(1000), input, {});
        race->SetLaneSize({160, 120});
        for (int i = 0; i < 10; ++i) {
            race->Tick(5000);
            race->Present();
        }
        race->Hold(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const double before = CpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        std::printf("%-52s %7.2f %% of a core\n", "Paused mid-race, width 1000:", (CpuSeconds() - before) / 2 * 100);
        QElapsedTimer t;
        t.start();
        race->Stop();
        std::printf("%-52s %7.1f ms\n", "Closing mid-race, every lane ended in:", t.nsecsElapsed() / 1e6);
        t.restart();
        race.reset();
        std::printf("%-52s %7.1f ms\n", "  then the records freed in:", t.nsecsElapsed() / 1e6);
    }
    return 0;
}
