// WebM and MP4 through the `ffmpeg` program, found at run time: the frames
// go to it raw through a pipe, each repeated for the periods it stands for.
// Where no ffmpeg is installed these formats are not available.
#pragma once

#include "export/FrameWriter.h"

#include <QStringList>

// The ffmpeg program to use (ORDIVAN_FFMPEG, when set, names it), or empty
// when there is none.
QString FindFfmpeg();
// Why video cannot be written here, or empty when it can.
QString VideoUnavailable();

// Runs ffmpeg with `arguments` to its end; false, with its last words in
// `error`, when it failed.
bool RunFfmpeg(const QStringList& arguments, QString& error);

class FfmpegWriter final : public FrameWriter {
public:
    enum class Codec { WebM, Mp4 };
    // Encodes to `path` (replaced when there) in this container.
    FfmpegWriter(QString path, Codec codec, int fps);
    ~FfmpegWriter() override; // a writer not finished stops ffmpeg
    bool Write(const ExportFrame& frame) override;
    bool Finish() override;

private:
    bool Start(const ExportFrame& frame);
    bool Wait();

    QString path_;
    Codec codec_;
    int fps_;
    int pid_ = -1;
    int pipe_ = -1;
    QString log_; // ffmpeg's complaints
};
