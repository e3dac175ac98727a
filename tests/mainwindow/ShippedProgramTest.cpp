// What a user of the program meets first: its icon in the window and the
// About box, and a hidden toolbar that keeps out of the keyboard's way.
#include "MainWindowFixture.h"

#include "dialogs/frmAbout.h"

#include <QLabel>

namespace {

using ShippedProgramTest = MainWindowTest;

// The program's icon at `size` pixels: the picture's size, and enough of the
// green and the red marker bar to be told from an empty square or a
// stand-in glyph.
void ExpectProgramIcon(const QPixmap& picture, int size)
{
    ASSERT_FALSE(picture.isNull());
    const QImage image = picture.toImage();
    EXPECT_EQ(image.size(), QSize(size, size));
    int green = 0;
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.hsvSaturation() < 100 || pixel.alpha() < 255)
                continue;
            green += pixel.hsvHue() > 90 && pixel.hsvHue() < 150;
            red += pixel.hsvHue() < 20 || pixel.hsvHue() > 340;
        }
    EXPECT_GE(green, size * size / 32);
    EXPECT_GE(red, size * size / 32);
}

TEST_F(ShippedProgramTest, WindowAndAboutBoxShowTheProgramsIcon)
{
    frmMain& w = Start();
    for (const int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        ExpectProgramIcon(w.windowIcon().pixmap(QSize(size, size), 1.0), size);
    }
    QPixmap picture;
    Soon([&picture] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        picture = about->picIcon->pixmap();
        about->close();
    });
    w.mnuHelpAbout_Click();
    ExpectProgramIcon(picture, 32);
}

TEST_F(ShippedProgramTest, AHiddenToolbarTakesNoFocusAndNoKeys)
{
    frmMain& w = Start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.toolButton("New")->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(w.toolButton("New")->hasFocus());

    w.mnuViewToolbar_Click();
    EXPECT_FALSE(w.tbToolBar().isAncestorOf(QApplication::focusWidget()));
    // Keys as the window system delivers them: to whatever has the focus.
    QWindow* keyboard = w.windowHandle();
    EXPECT_EQ(DialogsOpenedBy([&] {
                  QTest::keyClick(keyboard, Qt::Key_Space);
                  QTest::keyClick(keyboard, Qt::Key_Tab);
                  QTest::keyClick(keyboard, Qt::Key_Space);
              }),
              0);

    w.mnuViewToolbar_Click(); // shown again, Tab reaches its buttons
    QTest::keyClick(keyboard, Qt::Key_Tab);
    EXPECT_TRUE(w.tbToolBar().isAncestorOf(QApplication::focusWidget()));
}

} // namespace
