#include "export/ApngWriter.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>

namespace {

void Put32(QByteArray& out, std::uint32_t v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

void Put16(QByteArray& out, std::uint16_t v)
{
    char b[2];
    qToBigEndian(v, b);
    out.append(b, 2);
}

// The rows of `rect`, each led by filter type 0, deflated.
QByteArray Deflate(const QImage& image, const QRect& rect)
{
    const qsizetype rowBytes = 1 + 3 * static_cast<qsizetype>(rect.width());
    QByteArray raw(rowBytes * rect.height(), Qt::Uninitialized);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* out = reinterpret_cast<unsigned char*>(raw.data()) + (y - rect.top()) * rowBytes;
        *out++ = 0;
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            *out++ = static_cast<unsigned char>(qRed(line[x]));
            *out++ = static_cast<unsigned char>(qGreen(line[x]));
            *out++ = static_cast<unsigned char>(qBlue(line[x]));
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.constData()),
              static_cast<uLong>(raw.size()), 6);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

} // namespace

ApngWriter::ApngWriter(QIODevice& device, int fps) : device_(device), fps_(std::max(1, fps)) {}

bool ApngWriter::Chunk(const char* type, const QByteArray& data)
{
    QByteArray out;
    Put32(out, static_cast<std::uint32_t>(data.size()));
    out.append(type, 4);
    out.append(data);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.constData()), static_cast<uInt>(data.size()));
    Put32(out, static_cast<std::uint32_t>(crc));
    return Put(device_, out);
}

bool ApngWriter::Write(const ExportFrame& frame)
{
    if (shown_.isNull()) {
        shown_ = frame.image.copy();
        static const char signature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
        if (!Put(device_, signature, 8))
            return false;
        QByteArray ihdr;
        Put32(ihdr, static_cast<std::uint32_t>(shown_.width()));
        Put32(ihdr, static_cast<std::uint32_t>(shown_.height()));
        ihdr.append(char(8)).append(char(2)).append(char(0)).append(char(0)).append(char(0)); // 8-bit RGB
        if (!Chunk("IHDR", ihdr))
            return false;
        actlAt_ = device_.pos();
        QByteArray actl;
        Put32(actl, 0); // frames: written at the end
        Put32(actl, 0); // plays for ever
        if (!Chunk("acTL", actl))
            return false;
        pending_ = {true, shown_.rect(), Deflate(shown_, shown_.rect()), frame.periods};
        return true;
    }
    // The box of the pixels that differ from what shows.
    const QRect rect = frame.changed.intersected(shown_.rect());
    int left = shown_.width(), right = -1, top = shown_.height(), bottom = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(frame.image.constScanLine(y));
        const auto* was = reinterpret_cast<const QRgb*>(shown_.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (now[x] != was[x]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right < 0) {
        pending_.periods += frame.periods;
        return true;
    }
    if (!Flush())
        return false;
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    for (int y = box.top(); y <= box.bottom(); ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(frame.image.constScanLine(y)) + left, box.width(),
                    reinterpret_cast<QRgb*>(shown_.scanLine(y)) + left);
    pending_ = {true, box, Deflate(shown_, box), frame.periods};
    return true;
}

bool ApngWriter::Flush()
{
    if (!pending_.any)
        return true;
    pending_.any = false;
    // The frame's length as periods / fps; so long a hold that the count
    // does not fit in 16 bits is given in hundredths.
    std::uint16_t num = static_cast<std::uint16_t>(pending_.periods);
    std::uint16_t den = static_cast<std::uint16_t>(fps_);
    if (pending_.periods > 65535) {
        num = static_cast<std::uint16_t>(std::min<std::int64_t>(65535, pending_.periods * 100 / fps_));
        den = 100;
    }
    QByteArray fctl;
    Put32(fctl, sequence_++);
    Put32(fctl, static_cast<std::uint32_t>(pending_.rect.width()));
    Put32(fctl, static_cast<std::uint32_t>(pending_.rect.height()));
    Put32(fctl, static_cast<std::uint32_t>(pending_.rect.left()));
    Put32(fctl, static_cast<std::uint32_t>(pending_.rect.top()));
    Put16(fctl, num);
    Put16(fctl, den);
    fctl.append(char(0)); // dispose: none
    fctl.append(char(0)); // blend: source
    if (!Chunk("fcTL", fctl))
        return false;
    const bool first = frames_++ == 0;
    if (first)
        return Chunk("IDAT", pending_.data);
    QByteArray fdat;
    Put32(fdat, sequence_++);
    fdat.append(pending_.data);
    return Chunk("fdAT", fdat);
}

bool ApngWriter::Finish()
{
    if (shown_.isNull())
        return Fail(QStringLiteral("no frames"));
    if (!Flush() || !Chunk("IEND", {}))
        return false;
    const qint64 end = device_.pos();
    QByteArray actl;
    Put32(actl, frames_);
    Put32(actl, 0);
    if (!device_.seek(actlAt_) || !Chunk("acTL", actl) || !device_.seek(end))
        return Fail(device_.errorString());
    return true;
}
