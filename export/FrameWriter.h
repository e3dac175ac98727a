// What takes the frames of an exported run and turns them into a file: an
// animated image, a video, or the run's sound.
#pragma once

#include "compare/CommandOutput.h"
#include "export/FrameSource.h"

#include <QIODevice>
#include <QString>

class FrameWriter {
public:
    virtual ~FrameWriter() = default;
    // Takes one frame; false when writing failed (Error says why).
    virtual bool Write(const ExportFrame& frame) = 0;
    // Ends the file after the last frame; false when that failed.
    virtual bool Finish() = 0;
    QString Error() const { return error_; }

protected:
    // Writes all of `data` to `device` (opened Unbuffered, so a full disk is
    // said as the disk's own reason); false when that failed.
    bool Put(QIODevice& device, const char* data, qint64 size)
    {
        const QString why = WriteWhole(device, data, size);
        return why.isEmpty() || Fail(why);
    }
    bool Put(QIODevice& device, const QByteArray& data) { return Put(device, data.constData(), data.size()); }
    bool Fail(const QString& why)
    {
        if (error_.isEmpty())
            error_ = why;
        return false;
    }

private:
    QString error_;
};

// The frame period k begins at, in units of `rate` per second (centiseconds
// for GIF, samples for WAV): rounded from the exact time, so frames and
// sound never drift apart.
inline std::int64_t PeriodStart(std::int64_t period, int fps, std::int64_t rate)
{
    return (period * rate * 2 + fps) / (2 * static_cast<std::int64_t>(fps));
}
