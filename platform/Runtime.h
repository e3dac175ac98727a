// Runtime services the program's logic calls: random numbers, the clock,
// the event pump and message boxes. Plain C++ interface so the engine can
// use it without knowing the toolkit beneath.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// One shared sequence, uniform in [0, 1), never seeded: every start of the
// program repeats the same sequence.
float Rnd();
// Puts the shared sequence back to its start (tests, benchmarks).
void RestartRnd();
// Where the sequence stands, and putting it there: a headless run continues
// the window's sequence on a copy without moving it. The sequence is per
// thread; a new thread's starts where the program's does.
std::uint64_t RndState();
void SetRndState(std::uint64_t state);

// Seconds as a Single since the program's clock started. The clock is
// monotonic, so differences never go wrong at midnight.
float Timer();
// The same clock in double precision, for waits that must be exact.
double ClockSeconds();
// Tests replace the clock that Timer reads; an empty function restores it.
void SetTimerSource(std::function<float()> source);

// True on the thread that runs the window's event loop.
bool OnEventThread();
// Handles every pending window event, then returns. Does nothing when no
// application object exists or off the event loop's thread (headless runs).
void DoEvents();
// Sleeps in the event loop until an event arrives or `seconds` have passed,
// whichever comes first, handling what arrived. Never spins a core.
void WaitForEvents(double seconds);

// A modal box with the prompt, one OK button and the title "Ordivan";
// returns when it is closed.
void MsgBox(const std::string& prompt);
// Tests see the prompt instead of a real box; an empty function restores it.
void SetMsgBoxHook(std::function<void(const std::string&)> hook);
