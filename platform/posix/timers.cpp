// SetTimer and KillTimer, and the timer bookkeeping of the message loop.
#include "platform/posix/timers.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/posix/active_backend.h"
#include "platform/posix/window_table.h"

namespace posix {
namespace {

struct Timer {
  HWND window = nullptr;
  UINT_PTR id = 0;
  UINT period = kTimerMinimumPeriod;
  TIMERPROC procedure = nullptr;
  DWORD startedAt = 0;  // when the current period began
};

// In the order the timers were made; replacing a timer keeps its place.
std::vector<Timer> g_timers;
// Ids for timers without a window are chosen here, as Windows chooses them.
UINT_PTR g_uNextThreadTimerId = 1;

std::vector<Timer>::iterator Find(HWND window, UINT_PTR id) {
  return std::find_if(g_timers.begin(), g_timers.end(),
                      [&](const Timer& t) { return t.window == window && t.id == id; });
}

// Milliseconds the timer is past its due time, or -1 while it is not due.
std::int64_t Overdue(const Timer& timer, DWORD now) {
  const DWORD elapsed = now - timer.startedAt;
  return elapsed >= timer.period ? std::int64_t{elapsed - timer.period} : -1;
}

bool Matches(const Timer& timer, HWND filterWindow, UINT filterMin, UINT filterMax) {
  if (filterWindow != nullptr && timer.window != filterWindow) {
    return false;
  }
  return (filterMin == 0 && filterMax == 0) || (WM_TIMER >= filterMin && WM_TIMER <= filterMax);
}

LPARAM ProcedureAsLParam(TIMERPROC procedure) {
  return procedure != nullptr ? reinterpret_cast<LPARAM>(procedure) : 0;
}

}  // namespace

bool TakeDueTimerMessage(DWORD now, HWND filterWindow, UINT filterMin, UINT filterMax, MSG& message) {
  Timer* due = nullptr;
  std::int64_t mostOverdue = -1;
  for (Timer& timer : g_timers) {
    const std::int64_t overdue = Overdue(timer, now);
    if (overdue > mostOverdue && Matches(timer, filterWindow, filterMin, filterMax)) {
      due = &timer;
      mostOverdue = overdue;
    }
  }
  if (due == nullptr) {
    return false;
  }
  due->startedAt = now;
  message = MSG{due->window, WM_TIMER, due->id, ProcedureAsLParam(due->procedure), now, POINT{0, 0}};
  return true;
}

bool TimeToNextTimer(DWORD now, HWND filterWindow, UINT filterMin, UINT filterMax, DWORD& milliseconds) {
  bool any = false;
  for (const Timer& timer : g_timers) {
    if (!Matches(timer, filterWindow, filterMin, filterMax)) {
      continue;
    }
    const DWORD elapsed = now - timer.startedAt;
    const DWORD remaining = elapsed >= timer.period ? 0 : timer.period - elapsed;
    milliseconds = any ? std::min(milliseconds, remaining) : remaining;
    any = true;
  }
  return any;
}

bool RunTimerProcedure(HWND window, UINT_PTR id, LPARAM procedure, DWORD time) {
  const auto timer = Find(window, id);
  if (timer == g_timers.end() || timer->procedure == nullptr || ProcedureAsLParam(timer->procedure) != procedure) {
    return false;
  }
  const TIMERPROC call = timer->procedure;
  call(window, WM_TIMER, id, time);
  return true;
}

void TickEveryTimer(DWORD time) {
  // A tick may kill or make timers: walk a copy of the keys and look each one up again.
  std::vector<std::pair<HWND, UINT_PTR>> keys;
  for (const Timer& timer : g_timers) {
    keys.emplace_back(timer.window, timer.id);
  }
  for (const auto& [window, id] : keys) {
    const auto timer = Find(window, id);
    if (timer == g_timers.end()) {
      continue;
    }
    timer->startedAt = time;
    if (timer->procedure != nullptr) {
      const TIMERPROC call = timer->procedure;
      call(window, WM_TIMER, id, time);
    } else if (window != nullptr) {
      SendMessageA(window, WM_TIMER, id, 0);
    }
  }
}

void KillTimersOfWindow(HWND window) {
  g_timers.erase(std::remove_if(g_timers.begin(), g_timers.end(), [&](const Timer& t) { return t.window == window; }),
                 g_timers.end());
}

void ForgetAllTimers() { g_timers.clear(); }

}  // namespace posix

// A timer needs a back end (its clock). A window timer needs a live window and a non-zero id; it replaces a
// timer of the same window and id. A timer without a window gets a new id unless `id` names one of its kind.
UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC proc) {
  posix::DisplayBackend* backend = posix::ActiveBackend();
  if (backend == nullptr || (window != nullptr && (!IsWindow(window) || id == 0))) {
    return 0;
  }
  if (window == nullptr && posix::Find(nullptr, id) == posix::g_timers.end()) {
    while (posix::Find(nullptr, posix::g_uNextThreadTimerId) != posix::g_timers.end() ||
           posix::g_uNextThreadTimerId == 0) {
      ++posix::g_uNextThreadTimerId;
    }
    id = posix::g_uNextThreadTimerId++;
  }
  posix::Timer timer;
  timer.window = window;
  timer.id = id;
  timer.period = std::clamp(periodMs, posix::kTimerMinimumPeriod, posix::kTimerMaximumPeriod);
  timer.procedure = proc;
  timer.startedAt = backend->TickCount();

  const auto existing = posix::Find(window, id);
  if (existing != posix::g_timers.end()) {
    *existing = timer;
  } else {
    posix::g_timers.push_back(timer);
  }
  return id;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
  const auto timer = posix::Find(window, id);
  if (timer == posix::g_timers.end()) {
    return FALSE;
  }
  posix::g_timers.erase(timer);
  return TRUE;
}
