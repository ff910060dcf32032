// Stands in for the screen-saver settings dialog in the Windows end-to-end tests: it opens a window, starts a
// saver with "/p <window>" so that the saver draws its preview inside it, saves what the window's client area
// shows, then destroys the window (which destroys the preview) and reports how the saver ended.
//
// usage: preview_host SAVER.scr OUTPUT.bmp
// Exit code 0 when a "Preview" child filled the client area and the saver then ended with 0; 1 otherwise.
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
constexpr DWORD kDrawingMs = 3000;
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

// Copies the window's client area, as the screen shows it, into a 24-bit bottom-up BMP file.
bool SaveClientArea(HWND window, const char* path) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int width = client.right;
  const int height = client.bottom;
  const int stride = (width * 3 + 3) / 4 * 4;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (picture != nullptr) {
    HGDIOBJ previous = SelectObject(memory, picture);
    copied = BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory, previous);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  bool written = false;
  if (copied) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    if (FILE* out = std::fopen(path, "wb")) {
      written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                std::fwrite(bits, static_cast<size_t>(stride) * static_cast<size_t>(height), 1, out) == 1;
      written = std::fclose(out) == 0 && written;
    }
  }
  if (picture != nullptr) DeleteObject(picture);
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: preview_host SAVER.scr OUTPUT.bmp\n");
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
    PumpUntil(kDrawingMs, [] { return false; });
    if (!SaveClientArea(host, argv[2])) {
      std::printf("cannot save the client area to %s\n", argv[2]);
      ok = false;
    }
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
