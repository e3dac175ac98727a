// The time and count the title strip shows for a run.
#include "engine/Module1.h"
#include "platform/Runtime.h"
#include "platform/StatusStrip.h"
#include "support/QtPrint.h"
#include "view/StatusView.h"

#include <gtest/gtest.h>

class StatusViewTest : public ::testing::Test {
protected:
    StatusStrip title, status;
    StatusView view{title, status, [] { return QStringLiteral("Quick Sort"); }};
    float clock = 100.25f;

    void SetUp() override
    {
        ResetSharedState();
        for (const char* text : {"Type:", "Time:", "Comparison:"})
            title.addPanel(StatusStrip::PanelKind::Text, StatusStrip::PanelSize::Spring, 1440, text);
        status.addPanel(StatusStrip::PanelKind::Text, StatusStrip::PanelSize::Spring, 0, QStringLiteral("Status"));
        status.addPanel(StatusStrip::PanelKind::Text, StatusStrip::PanelSize::Fixed, 1440);
        SetTimerSource([this] { return clock; });
    }
    void TearDown() override { SetTimerSource({}); ResetSharedState(); }
    QStringList texts() const { return {title.panelText(1), title.panelText(2), title.panelText(3), status.panelText(1), status.panelText(2)}; }
};

TEST_F(StatusViewTest, StatusReportsTimeSinceTheResetAndTheCount)
{
    view.DoReset(2);
    Comparisons = 5'230'176'601; // Stooge Sort on 4000 random values: whole, past 2^32
    clock = 103.75f;
    view.DoStatus();
    EXPECT_EQ(texts(), QStringList({"Type:", "Time: 3.5 secs", "Comparison: 5230176601", "Status", "Delay: 0 secs"}));
    clock = 110.25f; // no reset: counted from the same start
    view.DoStatus();
    EXPECT_EQ(title.panelText(2), "Time: 10 secs");
    view.DoReset(2); // a run shorter than a tick of the clock
    view.DoStatus();
    EXPECT_EQ(texts().mid(1, 2), QStringList({"Time: 0 secs", "Comparison: 0"}));
    // Plain decimals of at most seven digits, never an exponent.
    for (const auto& [end, text] : {std::pair{1.0f / 3, "0.3333333"}, {0.00001f, "0.00001"}, {123456789.0f, "123456800"}}) {
        clock = 0;
        view.DoReset(2);
        clock = end;
        view.DoStatus();
        EXPECT_EQ(title.panelText(2), QStringLiteral("Time: %1 secs").arg(text));
    }
}
