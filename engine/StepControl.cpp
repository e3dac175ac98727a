#include "engine/StepControl.h"

#include "engine/Module1.h"
#include "platform/Runtime.h"

#include <utility>

namespace {
thread_local bool holdRequested = false;
thread_local bool holding = false;
thread_local bool stepOnce = false;
thread_local double heldSeconds = 0;
thread_local std::function<void(bool)> listener;

void tell(bool on)
{
    if (listener)
        listener(on);
}
} // namespace

void RequestHold(bool on)
{
    holdRequested = on;
}

bool HoldRequested()
{
    return holdRequested;
}

bool Holding()
{
    return holding;
}

void StepOnce()
{
    if (holding)
        stepOnce = true;
}

double HeldSeconds()
{
    return heldSeconds;
}

void SetHoldListener(std::function<void(bool)> l)
{
    listener = std::move(l);
}

void ResetStepControl()
{
    holdRequested = holding = stepOnce = false;
    heldSeconds = 0;
    listener = nullptr;
}

void HoldAtStep()
{
    // Only the event thread can be held: its events are what ends the hold.
    if (!holdRequested || holding || Unloading || !OnEventThread())
        return;
    holding = true;
    stepOnce = false;
    const float from = Timer();
    tell(true);
    // Each wait sleeps until an event comes; the long deadline only bounds
    // how stale a missed flag could get.
    while (holdRequested && !stepOnce && !Unloading)
        WaitForEvents(0.5);
    stepOnce = false;
    heldSeconds += Timer() - from;
    holding = false;
    tell(false);
}
