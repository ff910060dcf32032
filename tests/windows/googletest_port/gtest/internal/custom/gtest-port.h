// GoogleTest's injection point for a platform's own constructs, found before its default empty header when the
// Windows unit tests are built (tests/windows/GoogleTest.cmake).
//
// GoogleTest 1.12 builds its Notification, with which it starts the threads of its own tests, on std::mutex
// and std::condition_variable, which GCC 12's libstdc++ lacks in the win32 thread model that the cross
// toolchain uses. Here it is a manual-reset Windows event instead; the rest of GoogleTest's locking already
// uses Windows' own primitives.
#ifndef KESTROVA_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define KESTROVA_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace internal
}  // namespace testing

#endif  // KESTROVA_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
