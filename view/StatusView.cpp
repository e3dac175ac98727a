#include "view/StatusView.h"

#include "engine/Module1.h"
#include "engine/StepControl.h"
#include "platform/Convert.h"
#include "platform/Runtime.h"
#include "platform/StatusStrip.h"

#include <utility>

QString DelayText()
{
    return QStringLiteral("Delay: ") + NumberText(static_cast<float>(DrawSet[1]) / 100.0f) + QStringLiteral(" secs");
}

StatusView::StatusView(StatusStrip& sbTitleBar, StatusStrip& sbStatusBar, std::function<QString()> sortName)
    : sbTitleBar_(sbTitleBar), sbStatusBar_(sbStatusBar), sortName_(std::move(sortName))
{
}

void StatusView::DoReset(int X)
{
    StartTime = Timer();
    HeldAtStart = HeldSeconds();
    Comparisons = 0;
    sbTitleBar_.setPanelText(2, QStringLiteral("Time:"));
    sbTitleBar_.setPanelText(3, QStringLiteral("Comparison:"));
    switch (X) {
    case 0:
        sbTitleBar_.setPanelText(1, QStringLiteral("Type:"));
        sbStatusBar_.setPanelText(2, QString());
        break;
    case 1:
        sbTitleBar_.setPanelText(1, QStringLiteral("Type: ") + (sortName_ ? sortName_() : QString()));
        sbStatusBar_.setPanelText(2, DelayText());
        break;
    case 2:
        sbStatusBar_.setPanelText(1, QStringLiteral("Sorting . . ."));
        sbStatusBar_.setPanelText(2, DelayText());
        break;
    default:
        break;
    }
}

void StatusView::DoStatus()
{
    // Time the user held the run paused is not the routine's.
    // The sum of holds is kept in double precision, so a run with no hold
    // in it reports exactly what the clock gave.
    const float elapsed = static_cast<float>(static_cast<double>(Timer() - StartTime) - (HeldSeconds() - HeldAtStart));
    sbTitleBar_.setPanelText(2, QStringLiteral("Time: ") + NumberText(elapsed) + QStringLiteral(" secs"));
    sbTitleBar_.setPanelText(3, QStringLiteral("Comparison: ") + QString::number(Comparisons));
    sbStatusBar_.setPanelText(1, QStringLiteral("Status"));
}
