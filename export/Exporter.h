// One export: a run's frames written as the format of the file's name says,
// to a file beside the target that takes the target's name only when all
// went well, so a failed or cancelled export leaves nothing behind. Runs on
// the calling thread (never the window's); Cancel and Progress from any.
#pragma once

#include "export/FrameSource.h"

#include <QString>

#include <atomic>
#include <optional>

enum class ExportFormat { Gif, Apng, WebM, Mp4, Wav };

// The format of a file name's extension (.gif, .png or .apng, .webm, .mp4,
// .wav, any case), none for another.
std::optional<ExportFormat> FormatOfPath(const QString& path);
// The extensions, as the usage and the dialog list them.
QString FormatExtensions();
// Why the format cannot be written on this machine, or empty when it can.
QString FormatUnavailable(ExportFormat format);
// Where the sound of an animated image goes: the image's name with .wav.
QString SoundPathBeside(const QString& imagePath);

class Exporter {
public:
    // `sound`: the run's tones too (beside an image, inside a video).
    Exporter(ExportRun run, QString path, bool sound);

    // Writes the file. False when it failed (Error says why, naming the
    // path) or was cancelled.
    bool Run();
    void Cancel();
    bool Cancelled() const { return stop_.Stopped(); }
    QString Error() const { return error_; }
    // The share done, 0..1.
    double Progress() const { return progress_.load(); }
    // The bytes written, once done (the image and its sound together).
    qint64 Bytes() const { return bytes_; }
    QString Path() const { return path_; }

private:
    bool Fail(const QString& path, const QString& why);

    ExportRun run_;
    QString path_;
    bool sound_;
    StopSwitch stop_;
    std::atomic<double> progress_{0};
    QString error_;
    qint64 bytes_ = 0;
};
