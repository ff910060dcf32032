// The part of the scene contract that both scenes share: presenting the back buffer and the frame tick.
// A scene type provides the members backBuffer, backBufferBitmap, spriteCount, screenWidth, screenHeight,
// windowWidth, windowHeight and the operations UpdateSprite(index, time) and ReadWindowSize(window); these
// functions do the rest.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "shell/screen_limits.h"

namespace shell {

template <class Scene>
bool IsFullSize(const Scene& scene) {
  return scene.windowWidth == scene.screenWidth && scene.windowHeight == scene.screenHeight;
}

// The saver window's outer size; the screen's size when the window cannot be measured (or measures as
// something no 32-bit size can hold), so that presenting then copies 1:1.
template <class Scene>
void ReadWindowSize(Scene& scene, HWND window) {
  RECT rect{};
  if (GetWindowRect(window, &rect)) {
    const std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left;
    const std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top;
    if (width == static_cast<std::int32_t>(width) && height == static_cast<std::int32_t>(height)) {
      scene.windowWidth = static_cast<std::int32_t>(width);
      scene.windowHeight = static_cast<std::int32_t>(height);
      return;
    }
  }
  scene.windowWidth = scene.screenWidth;
  scene.windowHeight = scene.screenHeight;
}

// What a scene's constructor measures: the primary screen, on which all motion is computed, and the window.
template <class Scene>
void MeasureScreenAndWindow(Scene& scene, HWND window) {
  scene.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  scene.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  scene.ReadWindowSize(window);
}

// Makes the screen-sized back buffer on the window's device context and keeps its bitmap in backBufferBitmap.
// False when it cannot be made, which includes a screen no real display has (see screen_limits.h).
template <class Scene>
bool CreateBackBuffer(Scene& scene, HWND window) {
  if (!IsDrawableScreen(scene.screenWidth, scene.screenHeight)) return false;
  HDC dc = GetDC(window);
  scene.backBufferBitmap = scene.backBuffer.CreateDibSection(dc, scene.screenWidth, scene.screenHeight);
  ReleaseDC(window, dc);
  return scene.backBufferBitmap != nullptr;
}

// Copies the back buffer to the window: 1:1 when the window has the screen's size, stretched otherwise. A failed
// call here only costs this frame; the next tick tries again.
template <class Scene>
void Present(const Scene& scene, HWND window) {
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  HGDIOBJ previousBitmap = SelectObject(memoryDc, scene.backBufferBitmap);
  if (IsFullSize(scene)) {
    BitBlt(windowDc, 0, 0, scene.screenWidth, scene.screenHeight, memoryDc, 0, 0, SRCCOPY);
  } else {
    StretchBlt(windowDc, 0, 0, scene.windowWidth, scene.windowHeight, memoryDc, 0, 0, scene.screenWidth,
               scene.screenHeight, SRCCOPY);
  }
  ReleaseDC(window, windowDc);
  SelectObject(memoryDc, previousBitmap);
  DeleteDC(memoryDc);
}

// One frame: clear to black, advance and draw every sprite in index order (later ones over earlier ones),
// present.
template <class Scene>
void Tick(Scene& scene, DWORD time, HWND window) {
  scene.backBuffer.Fill(0);
  for (std::int32_t index = 0; index < scene.spriteCount; ++index) scene.UpdateSprite(index, time);
  Present(scene, window);
}

}  // namespace shell
