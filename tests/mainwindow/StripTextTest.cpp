// The title strip and the status bar show their texts whole: a panel widens
// to its text while the title panels still share the width. Runs at scale
// factor 2 as well (a Layout test).
#include "MainWindowFixture.h"

#include "dialogs/TextFit.h"

namespace {

class LayoutTexts : public MainWindowTest {
protected:
    static std::string StripCuts(StatusStrip& strip, const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            strip.setPanelText(i + 1, texts[i]);
        std::string cuts;
        for (int i = 1; i <= strip.panelCount(); ++i)
            if (const std::string cut = textfit::LabelCuts(strip.panel(i)); !cut.empty())
                cuts += strip.objectName().toStdString() + " panel " + std::to_string(i) + cut;
        return cuts;
    }
};

TEST_F(LayoutTexts, PanelsWidenToTheirTexts)
{
    frmMain& w = Start(); // the first start's window size
    // A short run's figures, as the time panel used to cut them.
    EXPECT_EQ(StripCuts(w.sbTitleBar(), {"Type: Quick Sort", "Time: 0.00007343292 secs", "Comparison: 20298"}), "");
    EXPECT_EQ(StripCuts(w.sbStatusBar(), {"Sorting . . .", "Delay: 0.05 secs"}), "");
    // The title panels share the width equally when their texts allow it.
    StripCuts(w.sbTitleBar(), {"Type:", "Time:", "Comparison:"});
    EXPECT_NEAR(w.sbTitleBar().panel(1)->width(), w.sbTitleBar().panel(3)->width(), 2); // the last takes the odd pixels

    // The longest texts, at the window's design width.
    w.resize(TwipsToPixelsX(9615), w.height());
    QTest::qWait(20);
    EXPECT_EQ(StripCuts(w.sbTitleBar(), {"Type: Randomized Quick Sort", "Time: 0.00001234567 secs",
                                         "Comparison: 2147483647"}),
              "");
    EXPECT_EQ(StripCuts(w.sbStatusBar(), {"Sorting . . .", "Delay: 327.67 secs"}), "");
}

} // namespace
