#include "platform/ProgramIcon.h"

#include <gtest/gtest.h>

#include <QImage>

TEST(ProgramIcon, EveryDrawnSizeIsItsOwnBitmapWithBothMarkers)
{
    const QIcon icon = ProgramIcon();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        // Rounded corners, and the marker bars survive even at the small sizes.
        EXPECT_LT(image.pixelColor(0, 0).alpha(), 255);
        int markerPixels = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                markerPixels += image.pixelColor(x, y).hsvSaturation() > 100;
        EXPECT_GE(markerPixels, size * size / 16);
    }
}

TEST(ProgramIcon, PixmapHasExactlyTheAskedSize)
{
    for (const int size : {1, 20, 32, 36, 300}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(ProgramIconPixmap(size).size(), QSize(size, size));
    }
    EXPECT_TRUE(ProgramIconPixmap(0).isNull());
    EXPECT_TRUE(ProgramIconPixmap(-5).isNull());
}
