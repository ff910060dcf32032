// The program's side of the screen-saver contract, compiled into each program against that program's scene
// type: the window procedure that builds the scene on WM_CREATE and destroys it on WM_DESTROY, the frame timer
// that ticks it, and the two callbacks of the configure mode.
//
// A scene type provides: a constructor from the window, bool Init(HWND), void Tick(DWORD, HWND), and
// static constexpr bool kTracesLifecycle (true: write "new g_lpcScrAPI" / "delete g_lpcScrAPI" to the
// debugger).
#pragma once

#include <new>

#include "platform/win32.h"
#include "saverlib/screensaver.h"

namespace shell {

constexpr UINT_PTR kFrameTimerId = 0x7FFF;
constexpr UINT kFramePeriodMs = 10;

template <class ScrAPI>
struct SaverShell {
  // The one scene, from WM_CREATE to WM_DESTROY; null before and after.
  static inline ScrAPI* g_lpcScrAPI = nullptr;
  // The frame timer's identifier; 0 while there is no timer.
  static inline UINT_PTR g_uTimerId = 0;

  static void CALLBACK FrameTimerProc(HWND window, UINT, UINT_PTR, DWORD time) {
    // The timer lives only between a successful Init and WM_DESTROY, which kills it before the scene goes.
    g_lpcScrAPI->Tick(time, window);
  }

  static LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        return OnCreate(window);
      case WM_DESTROY:
        OnDestroy(window);
        return 1;
      case WM_PAINT: {
        // The picture reaches the window only through the scene's Present.
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 1;
      }
      default:
        return DefScreenSaverProc(window, message, wParam, lParam);
    }
  }

  static BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM) { return TRUE; }
  static BOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }

 private:
  static LRESULT OnCreate(HWND window) {
    // Without memory for the scene the saver ends as it does when the scene cannot start.
    g_lpcScrAPI = new (std::nothrow) ScrAPI(window);
    if (g_lpcScrAPI != nullptr) {
      if constexpr (ScrAPI::kTracesLifecycle) OutputDebugStringA("new g_lpcScrAPI\n");
      if (g_lpcScrAPI->Init(window)) {
        g_uTimerId = SetTimer(window, kFrameTimerId, kFramePeriodMs, &FrameTimerProc);
        if (g_uTimerId != 0) return 1;
      }
    }
    // The window stays; this WM_DESTROY, through the library's window procedure, frees the scene and posts the
    // quit message, so the loop ends before any tick.
    SendMessageA(window, WM_DESTROY, 0, 0);
    return 0;
  }

  static void OnDestroy(HWND window) {
    if (g_uTimerId != 0) {
      KillTimer(window, g_uTimerId);
      g_uTimerId = 0;
    }
    PostQuitMessage(0);
    // Cleared once freed, so that a second WM_DESTROY (after the failure path of WM_CREATE, the window still
    // exists) finds no scene to destroy again.
    delete g_lpcScrAPI;
    g_lpcScrAPI = nullptr;
    if constexpr (ScrAPI::kTracesLifecycle) OutputDebugStringA("delete g_lpcScrAPI\n");
  }
};

}  // namespace shell
