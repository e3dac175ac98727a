#include "export/GifWriter.h"

#include "platform/Palette.h"

#include <QColor>

#include <gif_lib.h>

#include <algorithm>
#include <set>

namespace {

constexpr std::uint8_t kTransparent = 255;
constexpr int kTableSize = 1 << 15;

int Distance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    // Weighted towards green, as the eye is.
    return 2 * r * r + 4 * g * g + 3 * bl * bl;
}

unsigned Key(QRgb rgb)
{
    return (qRed(rgb) >> 3) << 10 | (qGreen(rgb) >> 3) << 5 | (qBlue(rgb) >> 3);
}

QRgb Mix(QRgb a, QRgb b, int k, int n)
{
    auto mix = [&](int x, int y) { return (x * (n - k) + y * k + n / 2) / n; };
    return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
}

int WriteToDevice(GifFileType* gif, const GifByteType* data, int length)
{
    // All or nothing, so a full disk leaves its reason in the device.
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return WriteWhole(*device, reinterpret_cast<const char*>(data), length).isEmpty() ? length : 0;
}

// A write giflib could not make is said in the file's own words ("No space
// left on device"), which its own message would hide.
QString Why(int gifError, const QIODevice& device)
{
    return gifError == E_GIF_ERR_WRITE_FAILED ? device.errorString() : QString::fromUtf8(GifErrorString(gifError));
}

} // namespace

GifPalette::GifPalette(const QImage& first, QRgb back, QRgb fore)
{
    std::set<QRgb> taken;
    auto add = [&](QRgb rgb) {
        rgb |= 0xff000000u;
        if (static_cast<int>(colors_.size()) < kColors && taken.insert(rgb).second)
            colors_.push_back(rgb);
    };
    for (int code = 0; code < 16; ++code)
        add(QBColor(code).rgb());
    // The caption's smoothed letter edges.
    constexpr int kRamp = 15;
    for (int k = 1; k < kRamp; ++k)
        add(Mix(back, fore, k, kRamp));
    // Every colour the first picture shows: the hues of the coloured styles.
    std::set<QRgb> shown;
    for (int y = 0; y < first.height() && shown.size() < 4096; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        for (int x = 0; x < first.width(); ++x)
            if (!taken.count(line[x] | 0xff000000u))
                shown.insert(line[x] | 0xff000000u);
    }
    std::vector<QRgb> byHue(shown.begin(), shown.end());
    std::sort(byHue.begin(), byHue.end(), [](QRgb a, QRgb b) {
        return QColor(a).hsvHueF() < QColor(b).hsvHueF();
    });
    const std::size_t room = static_cast<std::size_t>(kColors) - colors_.size();
    if (byHue.size() <= room) {
        for (QRgb rgb : byHue)
            add(rgb);
    } else {
        for (std::size_t k = 0; k < room; ++k)
            add(byHue[k * byHue.size() / room]);
    }
    // Whatever room is left: a cube of six levels a channel.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                add(qRgb(r * 51, g * 51, b * 51));

    table_.resize(kTableSize);
    for (unsigned key = 0; key < kTableSize; ++key) {
        const int r = static_cast<int>(key >> 10 & 31), g = static_cast<int>(key >> 5 & 31),
                  b = static_cast<int>(key & 31);
        const QRgb centre = qRgb(r << 3 | r >> 2, g << 3 | g >> 2, b << 3 | b >> 2);
        int best = 0, bestDistance = Distance(centre, colors_[0]);
        for (int i = 1; i < static_cast<int>(colors_.size()); ++i) {
            const int d = Distance(centre, colors_[static_cast<std::size_t>(i)]);
            if (d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        table_[key] = static_cast<std::uint8_t>(best);
    }
    // The colours placed exactly stay exact (the program's own ones last,
    // so they win a shared entry).
    for (int i = static_cast<int>(colors_.size()) - 1; i >= 0; --i)
        table_[Key(colors_[static_cast<std::size_t>(i)])] = static_cast<std::uint8_t>(i);
}

struct GifWriter::Gif {
    GifFileType* file = nullptr;
};

GifWriter::GifWriter(QIODevice& device, int fps, QRgb back, QRgb fore)
    : device_(device), fps_(std::max(1, fps)), back_(back), fore_(fore), gif_(std::make_unique<Gif>())
{
}

GifWriter::~GifWriter()
{
    if (gif_->file) {
        int error = 0;
        EGifCloseFile(gif_->file, &error);
    }
}

bool GifWriter::Start(const ExportFrame& frame)
{
    width_ = frame.image.width();
    height_ = frame.image.height();
    palette_ = std::make_unique<GifPalette>(frame.image, back_, fore_);
    int error = 0;
    gif_->file = EGifOpen(&device_, WriteToDevice, &error);
    if (!gif_->file)
        return Fail(Why(error, device_));
    EGifSetGifVersion(gif_->file, true);
    std::vector<GifColorType> colors(256);
    for (std::size_t i = 0; i < palette_->Colors().size(); ++i) {
        const QRgb c = palette_->Colors()[i];
        colors[i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                     static_cast<GifByteType>(qBlue(c))};
    }
    ColorMapObject* map = GifMakeMapObject(256, colors.data());
    const int put = EGifPutScreenDesc(gif_->file, width_, height_, 8, 0, map);
    GifFreeMapObject(map);
    if (put != GIF_OK)
        return Fail(Why(gif_->file->Error, device_));
    // Plays round and round.
    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_->file, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif_->file, 11, "NETSCAPE2.0") != GIF_OK ||
        EGifPutExtensionBlock(gif_->file, 3, loop) != GIF_OK || EGifPutExtensionTrailer(gif_->file) != GIF_OK)
        return Fail(Why(gif_->file->Error, device_));
    shown_.assign(static_cast<std::size_t>(width_) * height_, kTransparent);
    return true;
}

bool GifWriter::Write(const ExportFrame& frame)
{
    if (!gif_->file && !Start(frame))
        return false;
    const QRect rect = frame.changed.intersected(QRect(0, 0, width_, height_));
    // The changed rectangle's new indices, and the box of those that differ
    // from what shows.
    int left = width_, right = -1, top = height_, bottom = -1;
    fresh_.resize(static_cast<std::size_t>(std::max(0, rect.width() * rect.height())));
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(frame.image.constScanLine(y));
        const std::uint8_t* shown = shown_.data() + static_cast<std::size_t>(y) * width_;
        std::uint8_t* fresh = fresh_.data() + static_cast<std::size_t>(y - rect.top()) * rect.width();
        QRgb last = ~line[rect.left()];
        std::uint8_t index = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (line[x] != last) {
                last = line[x];
                index = palette_->Index(last);
            }
            fresh[x - rect.left()] = index;
            if (index != shown[x]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0 && pending_.any) {
        // Nothing changed: the frame before stays on longer.
        pending_.periods += frame.periods;
        return frame.last ? Flush() : true;
    }
    if (right < 0) // an empty first picture still needs a frame
        left = right = top = bottom = 0;
    if (!Flush())
        return false;
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    pending_.any = true;
    pending_.rect = box;
    pending_.period = frame.index;
    pending_.periods = frame.periods;
    pending_.transparent = frame.index > 0;
    pending_.pixels.resize(static_cast<std::size_t>(box.width()) * box.height());
    for (int y = box.top(); y <= box.bottom(); ++y) {
        std::uint8_t* shown = shown_.data() + static_cast<std::size_t>(y) * width_;
        const std::uint8_t* fresh = fresh_.data() + static_cast<std::size_t>(y - rect.top()) * rect.width();
        std::uint8_t* out = pending_.pixels.data() + static_cast<std::size_t>(y - top) * box.width();
        // The box lies within the changed rectangle: only there can pixels differ.
        const std::uint8_t* from = fresh + (left - rect.left());
        std::uint8_t* was = shown + left;
        const int n = box.width();
        if (pending_.transparent)
            for (int x = 0; x < n; ++x)
                out[x] = from[x] == was[x] ? kTransparent : from[x];
        else
            std::copy_n(from, n, out);
        std::copy_n(from, n, was);
    }
    return true;
}

bool GifWriter::Flush()
{
    if (!pending_.any)
        return true;
    pending_.any = false;
    GraphicsControlBlock gcb;
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = static_cast<int>(std::min<std::int64_t>(
        65535, PeriodStart(pending_.period + pending_.periods, fps_, 100) - PeriodStart(pending_.period, fps_, 100)));
    gcb.TransparentColor = pending_.transparent ? kTransparent : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&gcb, extension);
    const QRect& r = pending_.rect;
    if (EGifPutExtension(gif_->file, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK ||
        EGifPutImageDesc(gif_->file, r.left(), r.top(), r.width(), r.height(), false, nullptr) != GIF_OK)
        return Fail(device_.errorString());
    for (int y = 0; y < r.height(); ++y)
        if (EGifPutLine(gif_->file, pending_.pixels.data() + static_cast<std::size_t>(y) * r.width(), r.width()) !=
            GIF_OK)
            return Fail(device_.errorString());
    return true;
}

bool GifWriter::Finish()
{
    if (!gif_->file)
        return Fail(QStringLiteral("no frames"));
    if (!Flush())
        return false;
    int error = 0;
    const int closed = EGifCloseFile(gif_->file, &error);
    gif_->file = nullptr;
    if (closed != GIF_OK)
        return Fail(device_.errorString());
    return true;
}
