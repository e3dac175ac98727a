#include "platform/ProgramIcon.h"

#include <QString>

#include <iterator>

namespace {

// The sizes drawn for the program, each kept as its own bitmap so that the
// small ones stay sharp instead of being scaled down from the large one.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

QString IconFile(int size)
{
    return QStringLiteral(":/icons/ordivan-%1.png").arg(size);
}

} // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addFile(IconFile(size), QSize(size, size));
    return icon;
}

QPixmap ProgramIconPixmap(int pixels)
{
    if (pixels <= 0)
        return QPixmap();
    // The smallest drawing at least as large as asked for, scaled down to the
    // exact size (callers place the picture by its size); beyond the largest
    // drawing, the largest one scaled up.
    int source = kIconSizes[std::size(kIconSizes) - 1];
    for (const int size : kIconSizes) {
        if (size >= pixels) {
            source = size;
            break;
        }
    }
    const QPixmap drawn(IconFile(source));
    if (source == pixels || drawn.isNull())
        return drawn;
    return drawn.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
