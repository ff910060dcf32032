// The thread's message queue, internal to the POSIX implementation.
#pragma once

namespace posix {

// Drops queued messages and a pending quit (the back end is being replaced).
void ForgetMessageQueue();

}  // namespace posix
