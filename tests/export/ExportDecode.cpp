#include "ExportDecode.h"

#include <QFile>
#include <QtEndian>

#include <gif_lib.h>
#include <zlib.h>

const QImage& Decoded::At(double seconds) const
{
    double t = 0;
    for (const DecodedFrame& f : frames) {
        t += f.seconds;
        if (seconds < t - 1e-9)
            return f.image;
    }
    return frames.back().image;
}

double Decoded::Length() const
{
    double t = 0;
    for (const DecodedFrame& f : frames)
        t += f.seconds;
    return t;
}

Decoded DecodeGif(const QString& path)
{
    Decoded d;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif) {
        d.error = QStringLiteral("cannot open");
        return d;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        d.error = QString::fromUtf8(GifErrorString(gif->Error));
        DGifCloseFile(gif, &error);
        return d;
    }
    d.width = gif->SWidth;
    d.height = gif->SHeight;
    QImage canvas(d.width, d.height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &gcb);
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        const GifImageDesc& desc = image.ImageDesc;
        for (int y = 0; y < desc.Height; ++y)
            for (int x = 0; x < desc.Width; ++x) {
                const int index = image.RasterBits[y * desc.Width + x];
                if (index == gcb.TransparentColor)
                    continue;
                const GifColorType c = map->Colors[index];
                canvas.setPixel(desc.Left + x, desc.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        d.frames.push_back({canvas.copy(), gcb.DelayTime / 100.0, QRect(desc.Left, desc.Top, desc.Width, desc.Height)});
    }
    DGifCloseFile(gif, &error);
    d.ok = !d.frames.empty();
    return d;
}

Decoded DecodeApng(const QString& path)
{
    Decoded d;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        d.error = QStringLiteral("cannot open");
        return d;
    }
    const QByteArray all = f.readAll();
    if (!all.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8))) {
        d.error = QStringLiteral("no PNG signature");
        return d;
    }
    auto u32 = [&](qsizetype at) { return qFromBigEndian<std::uint32_t>(all.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromBigEndian<std::uint16_t>(all.constData() + at); };
    QImage canvas;
    QRect rect;
    double seconds = 0;
    std::uint32_t expectSequence = 0;
    for (qsizetype at = 8; at + 12 <= all.size();) {
        const std::uint32_t length = u32(at);
        const QByteArray type = all.mid(at + 4, 4);
        const qsizetype data = at + 8;
        const std::uint32_t crc = u32(data + length);
        if (crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(all.constData() + at + 4), length + 4) != crc) {
            d.error = QStringLiteral("bad CRC in ") + QString::fromLatin1(type);
            return d;
        }
        if (type == "IHDR") {
            d.width = static_cast<int>(u32(data));
            d.height = static_cast<int>(u32(data + 4));
            canvas = QImage(d.width, d.height, QImage::Format_RGB32);
            canvas.fill(Qt::black);
        } else if (type == "acTL") {
            d.declaredFrames = static_cast<int>(u32(data));
        } else if (type == "fcTL") {
            if (u32(data) != expectSequence++) {
                d.error = QStringLiteral("sequence out of order");
                return d;
            }
            rect = QRect(static_cast<int>(u32(data + 12)), static_cast<int>(u32(data + 16)),
                         static_cast<int>(u32(data + 4)), static_cast<int>(u32(data + 8)));
            seconds = double(u16(data + 20)) / u16(data + 22);
        } else if (type == "IDAT" || type == "fdAT") {
            qsizetype from = data;
            std::uint32_t size = length;
            if (type == "fdAT") {
                if (u32(data) != expectSequence++) {
                    d.error = QStringLiteral("sequence out of order");
                    return d;
                }
                from += 4;
                size -= 4;
            }
            uLongf rawSize = static_cast<uLongf>(rect.height()) * (1 + 3 * rect.width());
            std::vector<Bytef> raw(rawSize);
            if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(all.constData() + from), size) != Z_OK ||
                rawSize != raw.size()) {
                d.error = QStringLiteral("bad image data");
                return d;
            }
            for (int y = 0; y < rect.height(); ++y) {
                const Bytef* row = raw.data() + static_cast<std::size_t>(y) * (1 + 3 * rect.width());
                for (int x = 0; x < rect.width(); ++x)
                    canvas.setPixel(rect.left() + x, rect.top() + y,
                                    qRgb(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]));
            }
            d.frames.push_back({canvas.copy(), seconds, rect});
        }
        at = data + length + 4;
    }
    d.ok = !d.frames.empty();
    return d;
}

Wav ReadWav(const QString& path)
{
    Wav w;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return w;
    const QByteArray all = f.readAll();
    if (all.size() < 44 || !all.startsWith("RIFF") || all.mid(8, 8) != "WAVEfmt " || all.mid(36, 4) != "data")
        return w;
    w.rate = static_cast<int>(qFromLittleEndian<std::uint32_t>(all.constData() + 24));
    const std::uint32_t bytes = qFromLittleEndian<std::uint32_t>(all.constData() + 40);
    if (bytes + 44 != static_cast<std::uint32_t>(all.size()))
        return w;
    w.samples.resize(bytes / 2);
    for (std::size_t i = 0; i < w.samples.size(); ++i)
        w.samples[i] = qFromLittleEndian<std::int16_t>(all.constData() + 44 + 2 * i);
    w.ok = true;
    return w;
}
