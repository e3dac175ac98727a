// Animated GIF through giflib: one 256-colour palette for the whole run and,
// after the first frame, only the rectangle that changed, with the pixels in
// it that kept their colour left transparent.
#pragma once

#include "export/FrameWriter.h"

#include <QIODevice>

#include <array>
#include <memory>
#include <vector>

// The palette and the nearest-colour table of an export. The program's
// sixteen colours and a ramp between the caption's two colours are always
// there, exactly; the rest of the 255 places go to the colours the first
// frame shows (every value's hue in the coloured styles), evenly chosen by
// hue when there are more, then to a colour cube. Every other colour maps
// to the nearest place by a 32,768-entry table over 5 bits per channel.
class GifPalette {
public:
    static constexpr int kColors = 255; // place 255 is transparent
    GifPalette(const QImage& first, QRgb back, QRgb fore);
    const std::vector<QRgb>& Colors() const { return colors_; }
    std::uint8_t Index(QRgb rgb) const
    {
        const unsigned key = (qRed(rgb) >> 3) << 10 | (qGreen(rgb) >> 3) << 5 | (qBlue(rgb) >> 3);
        return table_[key];
    }

private:
    std::vector<QRgb> colors_;
    std::vector<std::uint8_t> table_;
};

class GifWriter final : public FrameWriter {
public:
    // Writes to `device`, open for writing. back and fore: the caption's colours.
    GifWriter(QIODevice& device, int fps, QRgb back, QRgb fore);
    ~GifWriter() override;
    bool Write(const ExportFrame& frame) override;
    bool Finish() override;

private:
    bool Start(const ExportFrame& frame);
    bool Flush();

    QIODevice& device_;
    int fps_;
    QRgb back_, fore_;
    struct Gif;
    std::unique_ptr<Gif> gif_;
    std::unique_ptr<GifPalette> palette_;
    int width_ = 0, height_ = 0;
    std::vector<std::uint8_t> shown_; // the index of every pixel as shown
    std::vector<std::uint8_t> fresh_; // scratch: the changed rectangle's indices
    // The frame waiting for its length to be known.
    struct Pending {
        bool any = false;
        QRect rect;
        std::vector<std::uint8_t> pixels;
        bool transparent = false;
        std::int64_t period = 0;
        std::int64_t periods = 0;
    } pending_;
};
