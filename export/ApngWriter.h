// Animated PNG, its chunks written here over zlib: the first frame is the
// plain picture every PNG reader shows; after it only the rectangle that
// changed, each frame as long as the frames it stands for.
#pragma once

#include "export/FrameWriter.h"

#include <QByteArray>
#include <QIODevice>

class ApngWriter final : public FrameWriter {
public:
    // `device` must be open for writing and able to seek back (the frame
    // count is written last).
    ApngWriter(QIODevice& device, int fps);
    bool Write(const ExportFrame& frame) override;
    bool Finish() override;

private:
    bool Flush();
    bool Chunk(const char* type, const QByteArray& data);

    QIODevice& device_;
    int fps_;
    QImage shown_;
    qint64 actlAt_ = -1;
    std::uint32_t sequence_ = 0;
    std::uint32_t frames_ = 0;
    struct Pending {
        bool any = false;
        QRect rect;
        QByteArray data; // compressed rows
        std::int64_t periods = 0;
    } pending_;
};
