#include "export/FrameSource.h"

#include "engine/Routines.h"
#include "engine/RunTrace.h"
#include "platform/Palette.h"
#include "platform/Runtime.h"
#include "view/MarkedPlot.h"
#include "view/PlotPainter.h"
#include "view/PlotView.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The plot as the window paints it after each drawn step: the same painter,
// the window's marker rules (MarkedPlot), on an image of the export's size.
// Also notes the values each step sounds, as the window's sound does.
class FrameView final : public SortView, private ElementSink {
public:
    FrameView(PlotPainter& painter, QImage& plot, const PlotGeometry& geometry, const PlotColors& colors)
        : painter_(painter), plot_(plot), geometry_(geometry), colors_(colors)
    {
    }

    void DrawAll()
    {
        painter_.Begin(plot_, geometry_, colors_);
        painter_.Clear(colors_.role[0]);
        painter_.NewData(SortData);
        for (int i = 1; i <= geometry_.N; ++i)
            painter_.Draw(i, ValueAt(SortData, i), ShownColumn::Fore, colors_.role[1]);
        touched_ = touched_.united(painter_.End());
    }
    void DrawLine(int X, int Y, int z) override
    {
        if (dead_ || (X == -1 && Y == -1 && z == -1))
            return;
        painter_.Begin(plot_, geometry_, colors_);
        marked_.DrawLine(X, Y, z);
        touched_ = touched_.united(painter_.End());
        Sound(0, SortData, X);
        Sound(1, SortData, Y);
        Sound(2, SortData, z);
    }
    void DrawPlot(int X, bool o) override
    {
        if (dead_)
            return;
        painter_.Begin(plot_, geometry_, colors_);
        marked_.DrawPlot(X, o);
        touched_ = touched_.united(painter_.End());
        if (o)
            Sound(0, AuxData, X);
    }
    void DoReset(int X) override { marked_.DoReset(X); }
    void DoStatus() override {}

    // The plot pixels changed since the last call.
    QRect TakeTouched() { return std::exchange(touched_, QRect()); }
    std::array<int, 3> TakeTones() { return std::exchange(tones_, {-1, -1, -1}); }
    // A stopped export paints nothing more, though a routine that never
    // tests the run flag goes on to its end.
    void Kill() { dead_ = true; }

private:
    void Show(Op op, int i, Integer value, ShownColumn::Role role) override
    {
        switch (op) {
        case Op::Draw:
            painter_.Draw(i, value, role, Color(role));
            break;
        case Op::Redraw:
            painter_.Redraw(i, value, role, Color(role));
            break;
        case Op::Erase:
            painter_.Erase(i);
            break;
        }
    }
    QRgb Color(ShownColumn::Role role) const
    {
        return colors_.role[static_cast<std::size_t>(1 + role)]; // background first
    }
    // -1 (a marker left where it is) and 0 (a parked marker) sound nothing.
    void Sound(int voice, const std::vector<Integer>& data, int index)
    {
        if (index > 0 && index < static_cast<int>(data.size()))
            tones_[static_cast<std::size_t>(voice)] = data[static_cast<std::size_t>(index)];
    }

    PlotPainter& painter_;
    QImage& plot_;
    PlotGeometry geometry_;
    PlotColors colors_;
    MarkedPlot marked_{*this};
    QRect touched_;
    std::array<int, 3> tones_{-1, -1, -1};
    bool dead_ = false;
};

class StepTrace final : public RunTrace {
public:
    explicit StepTrace(std::function<void()> stepped) : stepped_(std::move(stepped)) {}
    void Written(std::vector<Integer>&, int, Integer) override {}
    void Cleared(std::vector<Integer>&, std::size_t) override {}
    void Stepped() override { stepped_(); }

private:
    std::function<void()> stepped_;
};

// The frames run frames j = 1..F show: step floor(j * S / F). The first
// frame j that shows step c or later.
std::int64_t FirstShowing(std::int64_t c, std::int64_t frames, std::int64_t steps)
{
    return (c * frames + steps - 1) / steps;
}

std::int64_t RunFrames(const ExportPace& pace)
{
    return std::max<std::int64_t>(1, std::llround(pace.seconds * pace.fps));
}

// How many frame periods the picture after step c stays on (0: no frame
// shows it); c = 0 is the data before the run.
std::int64_t PeriodsAfter(const ExportPace& pace, std::int64_t c, std::int64_t steps)
{
    if (pace.seconds <= 0) {
        const int k = std::max(1, pace.stepsPerFrame);
        return c % k == 0 ? 1 : 0;
    }
    if (steps <= 0)
        return 1;
    const std::int64_t F = RunFrames(pace);
    if (c == 0)
        return FirstShowing(1, F, steps);
    if (c >= steps)
        return c == steps ? 1 : 0;
    return FirstShowing(c + 1, F, steps) - FirstShowing(c, F, steps);
}

} // namespace

std::int64_t RunPeriods(const ExportPace& pace, std::int64_t steps)
{
    if (pace.seconds <= 0)
        return 1 + steps / std::max(1, pace.stepsPerFrame);
    return steps <= 0 ? 1 : RunFrames(pace) + 1;
}

FrameSource::FrameSource(ExportRun run) : run_(std::move(run)) {}

int FrameSource::CaptionHeight(QSize size, bool caption)
{
    if (!caption || size.height() < 48 || size.width() < 48)
        return 0;
    return std::clamp(size.height() / 16, 14, 64);
}

std::int64_t FrameSource::CountSteps(const ExportRun& run, StopSwitch& stop)
{
    const RunResult result = RunHeadless(run.routine, run.input, stop);
    if (result.state != RunResult::State::Done)
        return -1;
    return result.steps;
}

bool FrameSource::Run(const std::function<bool(const ExportFrame&)>& sink, StopSwitch& stop,
                      const std::function<void(std::int64_t)>& stepsKnown)
{
    if (!RoutineRuns(run_.routine))
        return false;
    const std::int64_t steps = CountSteps(run_, stop);
    if (steps < 0)
        return false;
    if (stepsKnown)
        stepsKnown(steps);

    const QSize size = run_.size;
    const int captionHeight = CaptionHeight(size, run_.caption);
    // One buffer: the caption and the plot are views into it, so a frame is
    // handed out without a copy.
    QImage frame(size, QImage::Format_RGB32);
    uchar* bits = frame.bits();
    const qsizetype stride = frame.bytesPerLine();
    QImage captionImage(bits, size.width(), captionHeight, stride, QImage::Format_RGB32);
    QImage plot(bits + captionHeight * stride, size.width(), size.height() - captionHeight, stride,
                QImage::Format_RGB32);

    PlotColors colors;
    for (std::size_t role = 0; role < colors.role.size(); ++role)
        colors.role[role] = QBColor(run_.colors[role]).rgb();
    const PlotGeometry geometry =
        PlotGeometry::ForImage(plot.size(), run_.input.width, run_.input.height, run_.pen);
    std::unique_ptr<PlotPainter> painter = PlotPainter::Make(run_.style);

    // The engine state of this thread, as a run in the window starts from.
    ResetSharedState();
    Unloading = true;
    DrawSet = {static_cast<Integer>(run_.pen), 0};
    SortSet = {run_.input.order, run_.input.height, run_.input.width};
    ColorSet = run_.colors;
    SortData = run_.input.values;
    SortType = static_cast<Integer>(run_.routine);
    DataReady = true;
    SetRndState(run_.input.rndState);

    FrameView view(*painter, plot, geometry, colors);
    MainView = &view;

    const QString name = QString::fromUtf8(RoutineTable[static_cast<std::size_t>(run_.routine)].name);
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(8, captionHeight * 5 / 8));
    std::int64_t shownCount = -1;
    auto paintCaption = [&]() -> QRect {
        if (captionHeight == 0 || shownCount == Comparisons)
            return {};
        shownCount = Comparisons;
        captionImage.fill(colors.role[0]);
        QPainter p(&captionImage);
        p.setFont(font);
        p.setPen(QColor(colors.role[1]));
        const int pad = std::max(2, captionHeight / 3);
        const QRect box = captionImage.rect().adjusted(pad, 0, -pad, 0);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, name);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Comparisons: %1").arg(static_cast<qlonglong>(shownCount)));
        return captionImage.rect();
    };

    std::int64_t step = 0;
    std::int64_t period = 0;
    bool going = true;
    auto hand = [&](std::int64_t periods, bool last, QRect changed) {
        changed = changed.united(paintCaption());
        const QRect touched = view.TakeTouched();
        if (!touched.isEmpty())
            changed = changed.united(touched.translated(0, captionHeight));
        ExportFrame f{frame, changed, static_cast<int>(periods), period, step, view.TakeTones(), last};
        period += periods;
        if (!sink(f)) {
            going = false;
            stop.Stop();
            view.Kill();
        }
    };

    view.DrawAll();
    hand(PeriodsAfter(run_.pace, 0, steps), false, frame.rect());

    StepTrace trace([&] {
        if (!going)
            return;
        if (stop.Stopped()) {
            going = false;
            view.Kill();
            return;
        }
        ++step;
        const std::int64_t periods = PeriodsAfter(run_.pace, step, steps);
        if (periods > 0)
            hand(periods, false, {});
    });
    Trace = &trace;
    Sorting = true;
    {
        StopSwitch::Hold hold(stop);
        if (Sorting && going)
            RoutineTable[static_cast<std::size_t>(run_.routine)].entry();
    }
    Trace = nullptr;
    if (stop.Stopped())
        going = false;
    if (going) {
        // The sorted result, markers off, held one second.
        hand(std::max(1, run_.pace.fps), true, {});
    }
    MainView = &TheNullView();
    ResetSharedState();
    return going;
}
