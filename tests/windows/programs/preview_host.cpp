// Stands in for the screen-saver settings dialog in the Windows end-to-end tests: it opens a window, starts a
// saver with "/p <window>" so that the saver runs its preview inside it, lets it run for a few seconds, then
// destroys the window (which destroys the preview) and reports how the saver ended.
//
// It does not look at the preview's pixels: Wine discards what a process draws into a child of another
// process's window, so under Wine the picture never reaches the screen.
//
// usage: preview_host SAVER.scr
// Exit code 0 when a visible "Preview" child filled the client area and the saver then ended with 0.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace {

constexpr int kLeft = 40;
constexpr int kTop = 40;
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr DWORD kPreviewTimeoutMs = 30000;
constexpr DWORD kRunningMs = 2000;
constexpr DWORD kExitTimeoutMs = 30000;

// Handles this process's window messages for `milliseconds`, or until `done` says so.
template <class Done>
bool PumpUntil(DWORD milliseconds, Done done) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

HWND CreateHostWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "KestrovaPreviewHost";
  if (RegisterClassA(&windowClass) == 0) return nullptr;
  return CreateWindowExA(0, windowClass.lpszClassName, "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                         kLeft, kTop, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: preview_host SAVER.scr\n");
    return 1;
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND host = CreateHostWindow(instance);
  if (host == nullptr) {
    std::fprintf(stderr, "preview_host: cannot create the host window\n");
    return 1;
  }
  UpdateWindow(host);

  std::string commandLine = std::string("\"") + argv[1] + "\" /p " +
                            std::to_string(reinterpret_cast<std::uintptr_t>(host));
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION saver{};
  if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &saver)) {
    std::fprintf(stderr, "preview_host: cannot start %s\n", argv[1]);
    return 1;
  }
  std::printf("started: %s\n", commandLine.c_str());

  HWND preview = nullptr;
  const bool shown = PumpUntil(kPreviewTimeoutMs, [&] {
    preview = FindWindowExA(host, nullptr, "WindowsScreenSaverClass", "Preview");
    return preview != nullptr && IsWindowVisible(preview);
  });
  bool ok = shown;
  if (shown) {
    RECT hostClient{}, previewClient{};
    GetClientRect(host, &hostClient);
    GetClientRect(preview, &previewClient);
    const bool fills = previewClient.right == hostClient.right && previewClient.bottom == hostClient.bottom;
    std::printf("preview window: %ldx%ld in a client area of %ldx%ld%s\n", static_cast<long>(previewClient.right),
                static_cast<long>(previewClient.bottom), static_cast<long>(hostClient.right),
                static_cast<long>(hostClient.bottom), fills ? "" : " (does not fill it)");
    ok = fills;
    PumpUntil(kRunningMs, [] { return false; });
  } else {
    std::printf("no visible Preview window appeared within %lu ms\n", static_cast<unsigned long>(kPreviewTimeoutMs));
  }

  // The settings dialog ends a preview by destroying the window that holds it.
  DestroyWindow(host);
  const bool ended = PumpUntil(kExitTimeoutMs, [&] { return WaitForSingleObject(saver.hProcess, 0) == WAIT_OBJECT_0; });
  DWORD exitCode = 0;
  if (ended && GetExitCodeProcess(saver.hProcess, &exitCode)) {
    std::printf("saver exit code: %ld\n", static_cast<long>(static_cast<int>(exitCode)));
    ok = ok && exitCode == 0;
  } else {
    std::printf("the saver did not end within %lu ms\n", static_cast<unsigned long>(kExitTimeoutMs));
    TerminateProcess(saver.hProcess, 1);
    ok = false;
  }
  CloseHandle(saver.hThread);
  CloseHandle(saver.hProcess);
  std::printf("%s\n", ok ? "preview host: ok" : "preview host: FAILED");
  return ok ? 0 : 1;
}
