// Reading back what an export wrote, independently of the writers: the GIF
// through giflib's decoder, the animated PNG chunk by chunk (CRCs checked,
// rows inflated by zlib), the WAV's samples. Each animation comes back as
// its pictures with the frame periods each stays on.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

struct DecodedFrame {
    QImage image;
    double seconds = 0; // how long it shows
    QRect rect;         // the part the file stored
};

struct Decoded {
    bool ok = false;
    QString error;
    int width = 0, height = 0;
    int declaredFrames = 0; // APNG: acTL's count
    std::vector<DecodedFrame> frames;

    // The picture showing at `seconds` from the start.
    const QImage& At(double seconds) const;
    double Length() const;
};

Decoded DecodeGif(const QString& path);
Decoded DecodeApng(const QString& path);

struct Wav {
    bool ok = false;
    int rate = 0;
    std::vector<std::int16_t> samples;
};
Wav ReadWav(const QString& path);
