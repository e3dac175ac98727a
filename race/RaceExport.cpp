#include "race/RaceExport.h"

#include "export/ApngWriter.h"
#include "export/Exporter.h"
#include "export/FfmpegWriter.h"
#include "export/GifWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <thread>

namespace {

// The part of `now` that differs from `before`, as one rectangle.
QRect Changed(const QImage& before, const QImage& now)
{
    int top = -1, bottom = -1, left = now.width(), right = -1;
    for (int y = 0; y < now.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(now.constScanLine(y));
        int x0 = 0;
        while (x0 < now.width() && a[x0] == b[x0])
            ++x0;
        if (x0 == now.width())
            continue;
        int x1 = now.width() - 1;
        while (a[x1] == b[x1])
            --x1;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    if (top < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

RaceFrames::RaceFrames(Race& race, RaceExportSettings settings) : race_(race), settings_(std::move(settings))
{
    settings_.size = settings_.size.expandedTo(QSize(16, 16));
    settings_.fps = std::max(1, settings_.fps);
    settings_.grant = std::max<std::int64_t>(1, settings_.grant);
    picture_.Reflow(race_.Lanes(), settings_.size, settings_.columns, settings_.look.font);
    race_.SetLaneSize(picture_.PlotSize());
}

QImage RaceFrames::Picture()
{
    race_.Present();
    QImage image(settings_.size, QImage::Format_RGB32);
    QPainter p(&image);
    picture_.Paint(p, race_, image.rect(), settings_.look);
    return image;
}

bool RaceFrames::Run(const std::function<bool(const ExportFrame&)>& sink, StopSwitch& stop)
{
    race_.Restart();
    race_.Hold(false);
    QImage before;
    std::int64_t index = 0;
    for (;;) {
        if (stop.Stopped())
            return false;
        const QImage now = Picture();
        const bool last = race_.Finished();
        const QRect changed = before.isNull() ? now.rect() : Changed(before, now);
        const int periods = last ? 1 + settings_.fps : 1;
        const ExportFrame frame{now, changed, periods, index, race_.Clock(), {-1, -1, -1}, last};
        if (!sink(frame))
            return false;
        if (last)
            return true;
        index += periods;
        before = now;
        // A recording not yet at the next reading is waited for.
        while (!race_.Tick(settings_.grant) && !race_.Finished()) {
            if (stop.Stopped())
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
}

RaceExporter::RaceExporter(std::unique_ptr<Race> race, RaceExportSettings settings, QString path)
    : race_(std::move(race)), settings_(std::move(settings)), path_(std::move(path))
{
}

RaceExporter::~RaceExporter()
{
    if (race_)
        race_->Stop();
}

void RaceExporter::Cancel()
{
    stop_.Stop();
}

bool RaceExporter::Fail(const QString& why)
{
    if (error_.isEmpty())
        error_ = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path_), why);
    return false;
}

bool RaceExporter::Run()
{
    const std::optional<ExportFormat> format = FormatOfPath(path_);
    if (!format || *format == ExportFormat::Wav)
        return Fail(QStringLiteral("unknown format (the name should end in .gif, .png or .apng, .webm, .mp4)"));
    if (const QString why = FormatUnavailable(*format); !why.isEmpty())
        return Fail(why);
    const bool video = *format == ExportFormat::WebM || *format == ExportFormat::Mp4;

    // Written beside the target, renamed at the end.
    std::unique_ptr<QSaveFile> image;
    std::unique_ptr<QTemporaryFile> videoFile;
    std::unique_ptr<FrameWriter> writer;
    if (video) {
        const QFileInfo info(path_);
        videoFile = std::make_unique<QTemporaryFile>(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                                     QStringLiteral("-XXXXXX.") + info.suffix());
        if (!videoFile->open())
            return Fail(videoFile->errorString());
        videoFile->close();
        writer = std::make_unique<FfmpegWriter>(
            videoFile->fileName(), *format == ExportFormat::Mp4 ? FfmpegWriter::Codec::Mp4 : FfmpegWriter::Codec::WebM,
            settings_.fps);
    } else {
        image = std::make_unique<QSaveFile>(path_);
        if (!image->open(QIODevice::WriteOnly))
            return Fail(image->errorString());
        if (*format == ExportFormat::Gif)
            writer = std::make_unique<GifWriter>(*image, settings_.fps, settings_.look.back.rgb(),
                                                 settings_.look.text.rgb());
        else
            writer = std::make_unique<ApngWriter>(*image, settings_.fps);
    }

    RaceFrames frames(*race_, settings_);
    const bool ran = frames.Run(
        [&](const ExportFrame& frame) {
            if (stop_.Stopped())
                return false;
            if (!writer->Write(frame)) {
                Fail(writer->Error());
                return false;
            }
            ++frames_;
            return true;
        },
        stop_);
    race_->Stop();
    if (!ran || stop_.Stopped())
        return false;
    if (!writer->Finish())
        return Fail(writer->Error());
    writer.reset(); // ffmpeg has ended
    if (image && !image->commit())
        return Fail(image->errorString());
    if (videoFile) {
        if (std::rename(QFile::encodeName(videoFile->fileName()).constData(), QFile::encodeName(path_).constData()) != 0)
            return Fail(QString::fromLocal8Bit(std::strerror(errno)));
        videoFile->setAutoRemove(false);
        // A scratch file is private; the video gets a new file's usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        chmod(QFile::encodeName(path_).constData(), 0666 & ~mask);
    }
    bytes_ = QFileInfo(path_).size();
    return true;
}
