// The frames of an exported run: a routine run headless on its own copy of
// a data set, each step painted by the plot painter of the chosen style onto
// one image, exactly as the window's plot shows it after that step, with a
// caption line above the plot. Frames are handed out one at a time as the
// run goes (never all held), each with the steps' tones for the sound.
#pragma once

#include "compare/Comparison.h"
#include "view/PlotStyle.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <functional>

// How the run is paced: frames per second and either a number of steps per
// frame or the length of the run in seconds, over which the steps are
// spread evenly. The sorted result is held one second after the run.
struct ExportPace {
    int fps = 30;
    int stepsPerFrame = 1;  // used when seconds is 0
    double seconds = 0;     // the run's length; 0: steps per frame
};

// Everything a frame source needs, copied from the window or the command
// line: nothing of the window's state is read while the run goes on.
struct ExportRun {
    int routine = 6;  // the routine table's index
    RunInput input;
    PlotStyle style = PlotStyle::Bars;
    std::array<Integer, 5> colors{0, 15, 10, 9, 12}; // colour codes, as ColorSet
    int pen = 2;
    QSize size{640, 480};
    ExportPace pace;
    bool caption = true;
};

// One frame: the whole picture, the pixels changed since the frame before,
// how many frame periods it stays on, and the tones its steps started.
struct ExportFrame {
    const QImage& image;   // valid until the next frame: copy() to keep it
    QRect changed;         // the first frame: the whole picture
    int periods = 1;       // 1/fps each; the last frame holds one second
    std::int64_t index = 0;    // frame periods before this frame
    std::int64_t step = 0;     // steps shown so far
    std::array<int, 3> tones{-1, -1, -1}; // per voice: the value last touched, -1 none
    bool last = false;
};

class FrameSource {
public:
    explicit FrameSource(ExportRun run);

    // The height of the caption line at this frame size, 0 with no caption
    // (or a frame too small to hold one).
    static int CaptionHeight(QSize size, bool caption);

    // Runs the routine on the calling thread, which must not be the window's
    // (its engine state is reset), and hands every frame to `sink`; a sink
    // that returns false ends the run. Returns false when stopped (by `stop`
    // or the sink). Before any frame, `steps` receives the run's number of
    // steps (known from a run without pictures), so progress can be shown.
    bool Run(const std::function<bool(const ExportFrame&)>& sink, StopSwitch& stop,
             const std::function<void(std::int64_t steps)>& steps = {});

    // The number of steps the run takes (a run without pictures), -1 when stopped.
    static std::int64_t CountSteps(const ExportRun& run, StopSwitch& stop);

    const ExportRun& Settings() const { return run_; }

private:
    ExportRun run_;
};

// The frame periods a run of `steps` steps takes at this pace, from the
// first frame (the data before the run) up to the last (the sorted result,
// held one second more).
std::int64_t RunPeriods(const ExportPace& pace, std::int64_t steps);
