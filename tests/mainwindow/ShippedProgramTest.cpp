// What a user of the program meets first: its icon in the window and the
// About box, strips that show their texts whole, and a hidden toolbar that
// keeps out of the keyboard's way.
#include "MainWindowFixture.h"

#include "dialogs/TextFit.h"
#include "dialogs/frmAbout.h"

#include <QLabel>

namespace {

using ShippedProgramTest = MainWindowTest;

// The program's icon at `size` pixels, told from an empty square or a stand-in
// glyph by enough of the green and of the red marker bar.
void ExpectProgramIcon(const QPixmap& picture, int size)
{
    const QImage image = picture.toImage();
    ASSERT_EQ(image.size(), QSize(size, size)) << image.width() << "x" << image.height();
    int green = 0;
    int red = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int hue = pixel.hsvSaturation() >= 100 && pixel.alpha() == 255 ? pixel.hsvHue() : -1;
            green += hue > 90 && hue < 150;
            red += (hue >= 0 && hue < 20) || hue > 340;
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

std::string StripCuts(StatusStrip& strip, const QStringList& texts)
{
    std::string cuts;
    for (int i = 1; i <= texts.size(); ++i)
        strip.setPanelText(i, texts[i - 1]);
    for (int i = 1; i <= strip.panelCount(); ++i)
        cuts += textfit::LabelCuts(strip.panel(i));
    return cuts;
}

// A panel widens to its text while the title panels still share the width.
// A Layout test, so it runs at scale factor 2 as well.
using LayoutTexts = MainWindowTest;

TEST_F(LayoutTexts, PanelsWidenToTheirTexts)
{
    frmMain& w = Start(); // at the first start's size
    EXPECT_EQ(StripCuts(w.sbTitleBar(), {"Type: Quick Sort", "Time: 0.00007343292 secs", "Comparison: 20298"}), "");
    EXPECT_EQ(StripCuts(w.sbStatusBar(), {"Sorting . . .", "Delay: 327.67 secs"}), "");
    StripCuts(w.sbTitleBar(), {"Type:", "Time:", "Comparison:"}); // equal shares, the last takes the odd pixels
    EXPECT_NEAR(w.sbTitleBar().panel(1)->width(), w.sbTitleBar().panel(3)->width(), 2);
    w.resize(TwipsToPixelsX(9615), w.height()); // the longest texts at the design width
    QTest::qWait(20);
    EXPECT_EQ(StripCuts(w.sbTitleBar(), {"Type: Randomized Quick Sort", "Time: 0.00001234567 secs", "Comparison: 2147483647"}), "");
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
    const auto keys = [&] {
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space})
            QTest::keyClick(keyboard, key);
    };
    EXPECT_EQ(DialogsOpenedBy(keys), 0);

    w.mnuViewToolbar_Click(); // shown again, Tab reaches its buttons
    QTest::keyClick(keyboard, Qt::Key_Tab);
    EXPECT_TRUE(w.tbToolBar().isAncestorOf(QApplication::focusWidget()));
}

} // namespace
