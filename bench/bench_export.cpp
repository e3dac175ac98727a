// How fast and how lean an export is: a GIF of Quick Sort on 256 random
// values at 640x480, 30 fps, one step a frame, against the video's own
// length; the size of a GIF of Bubble Sort on 100 values at 320x240, 10
// steps a frame; and the peak memory of exports at 1920x1080, which must
// not grow with the run's length (frames are streamed).
#include "compare/Comparison.h"
#include "export/Exporter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>

namespace {

constexpr int kQuick = 6, kBubble = 1;

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

ExportRun Run(int routine, int values, QSize size, int stepsPerFrame, PlotStyle style = PlotStyle::Bars)
{
    ExportRun run;
    run.routine = routine;
    std::thread([&] { run.input = FreshInput(6, static_cast<Integer>(values), static_cast<Integer>(values)); }).join();
    run.size = size;
    run.pace.fps = 30;
    run.pace.stepsPerFrame = stepsPerFrame;
    run.style = style;
    return run;
}

struct Outcome {
    double seconds = 0;
    qint64 bytes = 0;
    std::int64_t steps = 0;
};

Outcome Write(const ExportRun& run, const QString& path)
{
    Outcome o;
    std::thread([&] {
        StopSwitch stop;
        o.steps = FrameSource::CountSteps(run, stop);
        const double start = Now();
        Exporter exporter(run, path, false);
        if (!exporter.Run())
            std::fprintf(stderr, "%s\n", qPrintable(exporter.Error()));
        o.seconds = Now() - start;
        o.bytes = QFileInfo(path).size();
    }).join();
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;

    {
        const ExportRun run = Run(kQuick, 256, {640, 480}, 1);
        const Outcome o = Write(run, dir.filePath(QStringLiteral("quick.gif")));
        const double length = double(RunPeriods(run.pace, o.steps) + run.pace.fps) / run.pace.fps;
        std::printf("GIF, Quick Sort, 256 random values, 640x480, 30 fps, 1 step/frame: %lld steps, video %.1f s, "
                    "written in %.2f s: %.1f times faster than real time (target >= 10); %.1f MB\n",
                    static_cast<long long>(o.steps), length, o.seconds, length / o.seconds, o.bytes / 1e6);
    }
    {
        const ExportRun run = Run(kBubble, 100, {320, 240}, 10);
        const Outcome o = Write(run, dir.filePath(QStringLiteral("bubble.gif")));
        std::printf("GIF, Bubble Sort, 100 values, 320x240, 30 fps, 10 steps/frame: %lld steps, %.2f MB "
                    "(target <= 5 MB), written in %.2f s\n",
                    static_cast<long long>(o.steps), o.bytes / 1e6, o.seconds);
    }
    std::printf("peak memory before the 1920x1080 exports: %.0f MB\n", PeakMegabytes());
    struct Big {
        const char* name;
        int routine, values, stepsPerFrame;
        PlotStyle style;
    };
    for (const Big& b : {Big{"big.gif", kBubble, 200, 20, PlotStyle::Bars}, Big{"big.png", kBubble, 200, 20, PlotStyle::Bars},
                         Big{"circle.gif", kQuick, 500, 1, PlotStyle::ColorCircle}}) {
        const ExportRun run = Run(b.routine, b.values, {1920, 1080}, b.stepsPerFrame, b.style);
        const Outcome o = Write(run, dir.filePath(QString::fromLatin1(b.name)));
        std::printf("%s at 1920x1080, %lld steps, %lld frames: %.1f s, %.1f MB; peak memory so far %.0f MB "
                    "(target < 300 MB)\n",
                    b.name, static_cast<long long>(o.steps),
                    static_cast<long long>(RunPeriods(run.pace, o.steps)), o.seconds, o.bytes / 1e6, PeakMegabytes());
    }
    return 0;
}
