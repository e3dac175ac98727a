// The title strip and status bar texts through a run's phases, and the strip
// itself: panels by index, their accessible names and their widths.
#include "engine/Module1.h"
#include "platform/Runtime.h"
#include "platform/StatusStrip.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"
#include "view/StatusView.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>

namespace {

using Kind = StatusStrip::PanelKind;
using Size = StatusStrip::PanelSize;

class StatusViewTest : public ::testing::Test {
protected:
    StatusStrip title;
    StatusStrip status;
    QString sortName = QStringLiteral("Quick Sort");
    StatusView view{title, status, [this] { return sortName; }};
    float clock = 100.25f;

    void SetUp() override
    {
        ResetSharedState();
        title.addPanel(Kind::Text, Size::Spring, 1440, QStringLiteral("Type:"));
        title.addPanel(Kind::Text, Size::Spring, 1440, QStringLiteral("Time:"));
        title.addPanel(Kind::Text, Size::Spring, 1440, QStringLiteral("Comparison:"));
        status.addPanel(Kind::Text, Size::Spring, 0, QStringLiteral("Status"));
        status.addPanel(Kind::Text, Size::Fixed, 1440);
        status.addPanel(Kind::Date, Size::Content, 1440);
        status.addPanel(Kind::Time, Size::Content, 1440);
        SetTimerSource([this] { return clock; });
        title.show(); // a hidden widget hears of its new size only when shown
        status.show();
    }
    void TearDown() override
    {
        SetTimerSource({});
        ResetSharedState();
    }

    // Every text panel shows something else, so untouched panels are visible.
    void scribble()
    {
        for (int i = 1; i <= 3; ++i)
            title.setPanelText(i, QStringLiteral("t%1").arg(i));
        status.setPanelText(1, QStringLiteral("s1"));
        status.setPanelText(2, QStringLiteral("s2"));
        Comparisons = 99;
    }
    QStringList texts() const
    {
        return {title.panelText(1), title.panelText(2), title.panelText(3), status.panelText(1),
                status.panelText(2)};
    }
};

TEST_F(StatusViewTest, EachResetRestartsTheClockAndSetsItsOwnPanels)
{
    DrawSet[1] = 3;

    scribble();
    view.DoReset(0);
    EXPECT_EQ(texts(), QStringList({"Type:", "Time:", "Comparison:", "s1", ""}));
    EXPECT_EQ(Comparisons, 0);
    EXPECT_EQ(view.StartTime, 100.25f);

    scribble();
    clock = 200.5f;
    view.DoReset(1);
    EXPECT_EQ(texts(), QStringList({"Type: Quick Sort", "Time:", "Comparison:", "s1", "Delay: 0.03 secs"}));
    EXPECT_EQ(Comparisons, 0);
    EXPECT_EQ(view.StartTime, 200.5f);

    scribble();
    view.DoReset(2);
    EXPECT_EQ(texts(), QStringList({"t1", "Time:", "Comparison:", "Sorting . . .", "Delay: 0.03 secs"}));
    EXPECT_EQ(Comparisons, 0);

    for (int other : {3, -1, 32767}) {
        scribble();
        clock = 300.0f + static_cast<float>(other);
        view.DoReset(other);
        EXPECT_EQ(texts(), QStringList({"t1", "Time:", "Comparison:", "s1", "s2"})) << other;
        EXPECT_EQ(Comparisons, 0);
        EXPECT_EQ(view.StartTime, clock);
    }

    // The date and time panels belong to the bar itself.
    EXPECT_FALSE(status.panelText(3).isEmpty());
    EXPECT_FALSE(status.panelText(4).isEmpty());
}

TEST_F(StatusViewTest, StatusReportsTimeSinceTheResetAndTheCount)
{
    QLocale::setDefault(QLocale(QLocale::German)); // no group separators, whatever the locale
    clock = 100.25f;
    view.DoReset(2);
    Comparisons = 1234;
    clock = 103.75f;
    view.DoStatus();
    EXPECT_EQ(texts(), QStringList({"Type:", "Time: 3.5 secs", "Comparison: 1234", "Status", "Delay: 0 secs"}));

    // A second report without a reset counts from the same start.
    Comparisons = 1234567;
    clock = 110.25f;
    view.DoStatus();
    EXPECT_EQ(title.panelText(2), "Time: 10 secs");
    EXPECT_EQ(title.panelText(3), "Comparison: 1234567");
    EXPECT_EQ(view.StartTime, 100.25f);
    EXPECT_EQ(Comparisons, 1234567);

    // A run shorter than a tick of the clock.
    view.DoReset(2);
    view.DoStatus();
    EXPECT_EQ(title.panelText(2), "Time: 0 secs");
    EXPECT_EQ(title.panelText(3), "Comparison: 0");
    QLocale::setDefault(QLocale::c());
}

TEST_F(StatusViewTest, DelayTextShowsSeconds)
{
    const std::pair<Integer, const char*> cases[] = {
        {0, "Delay: 0 secs"}, {3, "Delay: 0.03 secs"}, {5, "Delay: 0.05 secs"}, {10, "Delay: 0.1 secs"}};
    for (const auto& [delay, text] : cases) {
        DrawSet[1] = delay;
        EXPECT_EQ(DelayText(), text);
    }
}

TEST_F(StatusViewTest, PanelsAreNamedByTheirTextAndKeepTheirMinimumWidth)
{
    title.setPanelText(2, QStringLiteral("Time: 3.5 secs"));
    EXPECT_EQ(title.panel(2)->accessibleName(), "Time: 3.5 secs");
    EXPECT_EQ(title.panel(1)->accessibleName(), "Type:");
    EXPECT_EQ(status.panel(4)->accessibleName(), status.panelText(4));
    title.setPanelText(0, QStringLiteral("x")); // outside the strip: ignored
    title.setPanelText(4, QStringLiteral("x"));
    EXPECT_EQ(title.panelCount(), 3);

    ASSERT_EQ(TwipsPerPixelX(), 15.0);
    title.resize(641, 18);
    EXPECT_EQ(title.panel(1)->width(), 213);
    EXPECT_EQ(title.panel(3)->geometry().right(), 640);
    title.resize(200, 18); // narrower than three minimums of 1440 twips
    EXPECT_EQ(title.panel(2)->width(), 96);
    status.resize(800, 18);
    EXPECT_EQ(status.panel(2)->width(), 96);
    EXPECT_EQ(status.panel(4)->geometry().right(), 799);
}

} // namespace
