// The title strip and the status bar show their texts whole: a panel widens
// to its text while the title panels still share the width. A Layout test, so
// it runs at scale factor 2 as well.
#include "MainWindowFixture.h"

#include "dialogs/TextFit.h"

namespace {

std::string StripCuts(StatusStrip& strip, const QStringList& texts)
{
    std::string cuts;
    for (int i = 1; i <= texts.size(); ++i)
        strip.setPanelText(i, texts[i - 1]);
    for (int i = 1; i <= strip.panelCount(); ++i)
        cuts += textfit::LabelCuts(strip.panel(i));
    return cuts;
}

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

} // namespace
