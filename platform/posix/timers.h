// The timers of SetTimer, kept for the message loop. A timer is due once its period has passed since it was set
// or last fired, measured as a 32-bit difference of tick counts, so the wrap of the tick count changes nothing.
// Timer messages are made only when the loop finds nothing else to do, one at a time, so at most one message of
// a timer is ever pending and a loop that falls behind gets one tick, not a burst. Internal to the POSIX
// implementation.
#pragma once

#include "platform/win32.h"

namespace posix {

// The shortest and longest periods SetTimer accepts; others are moved to the nearest of the two, as on Windows.
constexpr UINT kTimerMinimumPeriod = 10;
constexpr UINT kTimerMaximumPeriod = 0x7FFFFFFF;

// Takes the timer message that is due at `now` and matches the filter (window null: any; both bounds 0: any
// message), restarting that timer's period from `now`. The message carries the timer's id in wParam, its
// procedure in lParam (0 without one) and `now` as its time. False when no timer is due.
bool TakeDueTimerMessage(DWORD now, HWND filterWindow, UINT filterMin, UINT filterMax, MSG& message);

// How long until the next timer that matches the filter is due: false when there is none.
bool TimeToNextTimer(DWORD now, HWND filterWindow, UINT filterMin, UINT filterMax, DWORD& milliseconds);

// Runs the procedure registered with (window, id, procedure as an integer), if that timer still exists with
// that procedure, with `time`. False when no such timer exists (a forged or stale WM_TIMER calls nothing).
bool RunTimerProcedure(HWND window, UINT_PTR id, LPARAM procedure, DWORD time);

// Ticks every timer at once with the exact time stamp `time`, in the order they were made: a timer with a
// procedure gets its procedure called, one without sends WM_TIMER to its window. Each one's period restarts at
// `time`. For drivers that step the clock themselves (the headless back end's TickTimersAt).
void TickEveryTimer(DWORD time);

// Kills the timers of a window being destroyed.
void KillTimersOfWindow(HWND window);

// Drops every timer (the back end whose clock they ran on is being replaced).
void ForgetAllTimers();

}  // namespace posix
