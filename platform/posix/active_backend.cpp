#include "platform/posix/active_backend.h"

#include "platform/posix/message_queue.h"
#include "platform/posix/timers.h"
#include "platform/posix/window_table.h"

namespace posix {
namespace {
DisplayBackend* g_pActiveBackend = nullptr;
}

void SetDisplayBackend(DisplayBackend* backend) {
  ForgetAllTimers();
  ForgetMessageQueue();
  ForgetAllWindows();
  g_pActiveBackend = backend;
}

DisplayBackend* ActiveBackend() { return g_pActiveBackend; }

}  // namespace posix
