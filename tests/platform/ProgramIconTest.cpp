#include "platform/ProgramIcon.h"

#include <gtest/gtest.h>

#include <QImage>

// The marker colours are checked on the window's icon, as the program links it.
TEST(ProgramIcon, EveryDrawnSizeIsItsOwnBitmapWithRoundedCorners)
{
    const QIcon icon = ProgramIcon();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_LT(image.pixelColor(0, 0).alpha(), 255) << "rounded corners";
    }
}
