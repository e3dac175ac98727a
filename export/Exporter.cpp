#include "export/Exporter.h"

#include "export/ApngWriter.h"
#include "export/FfmpegWriter.h"
#include "export/GifWriter.h"
#include "export/WavWriter.h"
#include "platform/Palette.h"
#include "platform/Runtime.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <memory>
#include <vector>

namespace {

// A scratch file beside `path`, so the last step is a rename on one disk.
std::unique_ptr<QTemporaryFile> Beside(const QString& path, const char* suffix)
{
    const QFileInfo info(path);
    auto file = std::make_unique<QTemporaryFile>(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                                 QStringLiteral("-XXXXXX") + QString::fromLatin1(suffix));
    return file;
}

} // namespace

std::optional<ExportFormat> FormatOfPath(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("gif"))
        return ExportFormat::Gif;
    if (ext == QLatin1String("png") || ext == QLatin1String("apng"))
        return ExportFormat::Apng;
    if (ext == QLatin1String("webm"))
        return ExportFormat::WebM;
    if (ext == QLatin1String("mp4"))
        return ExportFormat::Mp4;
    if (ext == QLatin1String("wav"))
        return ExportFormat::Wav;
    return std::nullopt;
}

QString FormatExtensions()
{
    return QStringLiteral(".gif, .png or .apng, .webm, .mp4, .wav");
}

QString FormatUnavailable(ExportFormat format)
{
    if (format == ExportFormat::WebM || format == ExportFormat::Mp4)
        return VideoUnavailable();
    return {};
}

QString SoundPathBeside(const QString& imagePath)
{
    const QFileInfo info(imagePath);
    return QDir(info.path()).filePath(info.completeBaseName() + QStringLiteral(".wav"));
}

Exporter::Exporter(ExportRun run, QString path, bool sound) : run_(std::move(run)), path_(std::move(path)), sound_(sound)
{
}

void Exporter::Cancel()
{
    stop_.Stop();
}

bool Exporter::Fail(const QString& path, const QString& why)
{
    if (error_.isEmpty())
        error_ = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
    return false;
}

bool Exporter::Run()
{
    // The run resets the engine state of its thread: never the window's.
    if (OnEventThread())
        return Fail(path_, QStringLiteral("an export runs on a thread of its own"));
    const std::optional<ExportFormat> format = FormatOfPath(path_);
    if (!format)
        return Fail(path_, QStringLiteral("unknown format (the name should end in %1)").arg(FormatExtensions()));
    if (const QString why = FormatUnavailable(*format); !why.isEmpty())
        return Fail(path_, why);
    const bool video = *format == ExportFormat::WebM || *format == ExportFormat::Mp4;
    const bool wantSound = sound_ || *format == ExportFormat::Wav;
    const QString soundPath = *format == ExportFormat::Wav ? path_ : SoundPathBeside(path_);

    // Every file is written beside its target and takes its name at the end.
    std::unique_ptr<QSaveFile> image, wav;
    std::unique_ptr<QTemporaryFile> videoFile, videoSound, muxed;
    std::vector<std::unique_ptr<FrameWriter>> writers;
    if (video) {
        videoFile = Beside(path_, *format == ExportFormat::Mp4 ? ".mp4" : ".webm");
        if (!videoFile->open())
            return Fail(path_, videoFile->errorString());
        videoFile->close();
        writers.push_back(std::make_unique<FfmpegWriter>(
            videoFile->fileName(), *format == ExportFormat::Mp4 ? FfmpegWriter::Codec::Mp4 : FfmpegWriter::Codec::WebM,
            run_.pace.fps));
        if (wantSound) {
            videoSound = Beside(path_, ".wav");
            if (!videoSound->open())
                return Fail(path_, videoSound->errorString());
            writers.push_back(std::make_unique<WavWriter>(*videoSound, run_.pace.fps, run_.input.height));
        }
    } else {
        if (*format != ExportFormat::Wav) {
            image = std::make_unique<QSaveFile>(path_);
            // Unbuffered: a full disk is said as such, not as an unknown error.
            if (!image->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                return Fail(path_, image->errorString());
            const QRgb back = QBColor(run_.colors[0]).rgb(), fore = QBColor(run_.colors[1]).rgb();
            if (*format == ExportFormat::Gif)
                writers.push_back(std::make_unique<GifWriter>(*image, run_.pace.fps, back, fore));
            else
                writers.push_back(std::make_unique<ApngWriter>(*image, run_.pace.fps));
        }
        if (wantSound) {
            wav = std::make_unique<QSaveFile>(soundPath);
            if (!wav->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                return Fail(soundPath, wav->errorString());
            writers.push_back(std::make_unique<WavWriter>(*wav, run_.pace.fps, run_.input.height));
        }
    }

    std::int64_t total = 1;
    const int fps = std::max(1, run_.pace.fps);
    FrameSource source(run_);
    const bool ran = source.Run(
        [&](const ExportFrame& frame) {
            if (stop_.Stopped())
                return false;
            for (auto& writer : writers)
                if (!writer->Write(frame)) {
                    Fail(path_, writer->Error());
                    return false;
                }
            progress_ = std::min(0.99, double(frame.index + frame.periods) / double(total));
            return true;
        },
        stop_, [&](std::int64_t steps) { total = RunPeriods(run_.pace, steps) + fps; });
    if (!ran) {
        if (error_.isEmpty() && !stop_.Stopped())
            Fail(path_, QStringLiteral("the routine does not run"));
        return false;
    }
    for (auto& writer : writers)
        if (!writer->Finish())
            return Fail(path_, writer->Error());
    writers.clear(); // ffmpeg has ended

    if (video && wantSound) {
        // The picture and the sound into one file.
        muxed = Beside(path_, *format == ExportFormat::Mp4 ? ".mp4" : ".webm");
        if (!muxed->open())
            return Fail(path_, muxed->errorString());
        muxed->close();
        videoSound->flush();
        QString error;
        const QStringList args = {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                                  QStringLiteral("-y"), QStringLiteral("-i"), videoFile->fileName(),
                                  QStringLiteral("-i"), videoSound->fileName(), QStringLiteral("-c:v"),
                                  QStringLiteral("copy"), QStringLiteral("-c:a"),
                                  *format == ExportFormat::Mp4 ? QStringLiteral("aac") : QStringLiteral("libopus"),
                                  QStringLiteral("-f"),
                                  *format == ExportFormat::Mp4 ? QStringLiteral("mp4") : QStringLiteral("webm"),
                                  muxed->fileName()};
        if (!RunFfmpeg(args, error))
            return Fail(path_, error);
    }
    if (stop_.Stopped())
        return false;
    if (image && !image->commit())
        return Fail(path_, image->errorString());
    if (wav && !wav->commit())
        return Fail(soundPath, wav->errorString());
    if (video) {
        QTemporaryFile& done = muxed ? *muxed : *videoFile;
        if (std::rename(QFile::encodeName(done.fileName()).constData(), QFile::encodeName(path_).constData()) != 0)
            return Fail(path_, QString::fromLocal8Bit(std::strerror(errno)));
        done.setAutoRemove(false);
        // A scratch file is private; the video gets a new file's usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        chmod(QFile::encodeName(path_).constData(), 0666 & ~mask);
    }
    bytes_ = QFileInfo(path_).size() + (wav && *format != ExportFormat::Wav ? QFileInfo(soundPath).size() : 0);
    progress_ = 1;
    return true;
}
