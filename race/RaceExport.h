// A race taken away: its lanes as the Race window lays them out, played from
// the start to the end of its clock, one clock grant per frame, written as an
// animated image or a video. The file is written beside its target and takes
// the target's name only when all went well, so a failed or cancelled export
// leaves nothing behind. Runs on a thread of its own; Cancel from any.
#pragma once

#include "compare/Comparison.h"
#include "export/FrameSource.h"
#include "race/LanesPicture.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

struct RaceExportSettings {
    QSize size{640, 480};
    int fps = 30;
    std::int64_t grant = 1; // clock units per frame
    int columns = 0;        // lanes to a row, 0: as the window chooses
    LanesLook look;
};

// The frames: every lane of the race painted onto one picture per clock grant.
class RaceFrames {
public:
    RaceFrames(Race& race, RaceExportSettings settings);
    // Plays the race from the start of its clock to its end, handing every
    // frame to `sink` (the last held one second more); false when stopped
    // by `stop` or by a sink that returned false.
    bool Run(const std::function<bool(const ExportFrame&)>& sink, StopSwitch& stop);
    // The lanes as they stand now, as a frame shows them.
    QImage Picture();

private:
    Race& race_;
    RaceExportSettings settings_;
    LanesPicture picture_;
};

class RaceExporter {
public:
    RaceExporter(std::unique_ptr<Race> race, RaceExportSettings settings, QString path);
    ~RaceExporter();
    // Writes the file; false when it failed (Error says why, naming the
    // path) or was cancelled.
    bool Run();
    void Cancel();
    bool Cancelled() const { return stop_.Stopped(); }
    QString Error() const { return error_; }
    QString Path() const { return path_; }
    // The frames written so far.
    std::int64_t Frames() const { return frames_.load(); }
    qint64 Bytes() const { return bytes_; }

private:
    bool Fail(const QString& why);

    std::unique_ptr<Race> race_;
    RaceExportSettings settings_;
    QString path_;
    StopSwitch stop_;
    std::atomic<std::int64_t> frames_{0};
    QString error_;
    qint64 bytes_ = 0;
};
