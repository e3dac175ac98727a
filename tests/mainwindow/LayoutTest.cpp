// The four bar layouts and the View switches. Expectations
// go through the twips conversions so they hold at any scale factor.
#include "MainWindowFixture.h"

#include "dialogs/TextFit.h"
#include "engine/StepControl.h"
#include "sound/StepSound.h"

class LayoutTest : public MainWindowTest {
protected:
    static void ExpectLayout(frmMain& w, bool toolbar, bool statusBar)
    {
        SCOPED_TRACE(::testing::Message() << "toolbar " << toolbar << ", status bar " << statusBar);
        const std::pair<bool, bool> shown{toolbar, statusBar};
        EXPECT_EQ(std::pair(w.action("mnuViewToolbar")->isChecked(), w.action("mnuViewStatusBar")->isChecked()), shown);
        EXPECT_EQ(std::pair(w.tbToolBar().isVisible(), w.sbStatusBar().isVisible()), shown);

        const int width = w.centralWidget()->width(), strip = TwipsToPixelsY(270), bar = TwipsToPixelsY(420);
        if (toolbar) { EXPECT_EQ(w.tbToolBar().geometry(), QRect(0, 0, width, bar)); }
        EXPECT_EQ(w.sbTitleBar().geometry(), QRect(0, toolbar ? bar : 0, width, strip));
        if (statusBar) { EXPECT_EQ(w.sbStatusBar().geometry(), QRect(0, w.centralWidget()->height() - strip, width, strip)); }
        const double top = toolbar ? 720 : 300, band = top + (statusBar ? 270 : 0);
        EXPECT_EQ(w.picBox().geometry(), QRect(0, TwipsToPixelsY(top), width, TwipsToPixelsY(w.ScaleHeight() - band)));
        EXPECT_FLOAT_EQ(w.plot().XScale, static_cast<float>(SortSet[2] / w.picBox().ScaleWidth()));
        EXPECT_FLOAT_EQ(w.plot().YScale, static_cast<float>(SortSet[1] / w.picBox().ScaleHeight()));
        // Bar 50 of an ascending set of 50 stands on the right edge.
        if (SortSet[0] == 0) { EXPECT_EQ(w.picBox().pixelAt(width - 1, w.picBox().height() - 2).rgb(), w.picBox().foreColor().rgb()); }
    }
};

TEST_F(LayoutTest, ViewSwitchesWalkThroughTheFourLayoutsAndRedraw)
{
    frmMain& w = Start();
    ExpectLayout(w, true, true); // the first showing, with an empty grey plot
    EXPECT_EQ(w.picBox().pixelAt(9, 9).rgb(), ApplicationWorkspaceColor().rgb());
    SortSet = {0, 100, 50};
    FillSource();
    ChooseNew(w, 6);
    const struct { const char* item; bool toolbar, statusBar; } steps[] = {
        {"mnuViewToolbar", false, true}, {"mnuViewStatusBar", false, false}, {"mnuViewToolbar", true, false}, {"mnuViewStatusBar", true, true}};
    for (const auto& step : steps) {
        w.action(step.item)->trigger();
        ExpectLayout(w, step.toolbar, step.statusBar);
    }
    w.resize(w.width() + 60, w.height() - 40);
    QTest::qWait(20);
    ExpectLayout(w, true, true);
}

// Status panel 1's long texts, at the first start's size and at the smallest
// the window accepts: each shows whole, in a shorter form where the panel is
// narrow, with the whole text as its tooltip; no other panel is cut for them.
class LayoutStatusTexts : public MainWindowTest {
protected:
    void TearDown() override { MainWindowTest::TearDown(); setenv("SDL_AUDIODRIVER", "dummy", 1); }

    // The window at its first size, then at its smallest.
    static void AtEachSize(frmMain& w, const std::function<void(const char*)>& check)
    {
        check("first size");
        const QSize first = w.size();
        w.resize(1, 1);
        QApplication::processEvents();
        ASSERT_EQ(w.size(), w.minimumSize());
        ASSERT_LT(w.width(), first.width());
        check("smallest");
        w.resize(first);
        QApplication::processEvents();
    }
    static void ExpectWhole(frmMain& w, const QString& text, const char* size)
    {
        SCOPED_TRACE(::testing::Message() << size << ", " << w.width() << "x" << w.height() << ": " << text.toStdString());
        StatusStrip& bar = w.sbStatusBar();
        EXPECT_EQ(bar.panelText(1), text);
        for (int i = 1; i <= bar.panelCount(); ++i)
            EXPECT_EQ(textfit::LabelCuts(bar.panel(i)), "");
        EXPECT_LE(bar.panel(bar.panelCount())->geometry().right(), bar.width() - 1);
        EXPECT_GE(bar.geometry().top(), w.sbTitleBar().geometry().bottom());
        // In front of a plot the window has left where it was, and opaque.
        EXPECT_EQ(w.centralWidget()->childAt(bar.geometry().center()), bar.childAt(bar.rect().center()));
        const QImage shot = w.grab().toImage();
        const QPoint free = bar.panel(1)->mapTo(&w, QPoint(bar.panel(1)->width() - 4, bar.height() / 2));
        EXPECT_EQ(shot.pixelColor(free * shot.devicePixelRatio()), bar.palette().color(QPalette::Window));
        const QString shown = bar.panelShown(1);
        EXPECT_EQ(bar.panel(1)->toolTip(), shown == text ? QString() : text);
        EXPECT_TRUE(shown.startsWith(text.left(6))) << shown.toStdString();
    }
};

// Held a step on, at the widest set whose steps are kept (Step Back there)
// and the narrowest whose are not (the paused text says why), with a count
// of ten digits there.
TEST_F(LayoutStatusTexts, PausedTextsShowWholeOrShorterAndSayWhyNoStepBack)
{
    for (const int width : {8191, 8192}) {
        frmMain& w = ReadyPaused(1, width);
        QString paused;
        RunHeld(w, {[&] {
            if (width > 8191)
                Comparisons = 1999999999;
            w.action("mnuStepForward")->trigger();
        }, [&] {
            paused = w.sbStatusBar().panelText(1);
            EXPECT_EQ(w.action("mnuStepBack")->isEnabled(), width == 8191);
            AtEachSize(w, [&](const char* size) { ExpectWhole(w, paused, size); });
            w.mnuStop_Click();
        }});
        EXPECT_TRUE(paused.startsWith("Paused: step ")) << paused.toStdString();
        EXPECT_EQ(paused.endsWith(" comparisons (no steps back above 8191 values)"), width > 8191) << paused.toStdString();
        EndMain();
    }
}

TEST_F(LayoutStatusTexts, NoAudioReasonShowsWholeOrShorter)
{
    setenv("SDL_AUDIODRIVER", "none-such", 1);
    frmMain& w = Start();
    auto* view = w.findChild<QMenu*>("mnuView");
    view->popup(w.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    const QString reason = w.sound().Reason();
    w.sbStatusBar().setPanelText(2, "Delay: 327.67 secs"); // a stored delay far out of range
    ASSERT_TRUE(reason.startsWith("No audio system (")) << reason.toStdString();
    AtEachSize(w, [&](const char* size) {
        QTest::mouseMove(view, view->actionGeometry(w.action("mnuViewSound")).center());
        ExpectWhole(w, reason, size);
    });
    view->close();
    EXPECT_EQ(w.sbStatusBar().panelText(1), "Status");
}
