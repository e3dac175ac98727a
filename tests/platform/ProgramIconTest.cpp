#include "platform/ProgramIcon.h"

#include "support/QtPrint.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// The icon is a dark tile with light bars and two marker-coloured ones.
bool IsDark(QColor c) { return c.alpha() == 255 && c.lightness() < 80; }
bool IsMarker(QColor c) { return c.alpha() == 255 && c.hsvSaturation() > 100 && c.value() > 180; }

} // namespace

TEST(ProgramIcon, EveryDrawnSizeIsItsOwnSharpBitmap)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        // Rounded corners, a dark plot behind the bars, and both marker bars
        // present at every size (the small sizes must not lose them).
        EXPECT_LT(image.pixelColor(0, 0).alpha(), 255);
        EXPECT_TRUE(IsDark(image.pixelColor(size / 2, size / 16)));
        int markerPixels = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                markerPixels += IsMarker(image.pixelColor(x, y));
        EXPECT_GE(markerPixels, size * size / 16);
    }
}

TEST(ProgramIcon, PixmapHasExactlyTheAskedSize)
{
    for (const int size : {1, 16, 20, 36, 48, 300, 1000}) {
        SCOPED_TRACE(size);
        const QPixmap pixmap = ProgramIconPixmap(size);
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.size(), QSize(size, size));
    }
    // A drawn size comes back unscaled: the same pixels as the icon's own.
    EXPECT_EQ(ProgramIconPixmap(32).toImage().convertToFormat(QImage::Format_ARGB32),
              ProgramIcon().pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(ProgramIconPixmap(0).isNull());
    EXPECT_TRUE(ProgramIconPixmap(-5).isNull());
}
