// Device contexts and the blits as the shell uses them: a DIB section selected into a memory context, copied
// to a window's context, the window's picture changed and the presentation recorded.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/posix/device_contexts.h"
#include "platform/posix/gdi_objects.h"
#include "tests/platform/window_fixture.h"

namespace {

using platform_test::HeadlessWindowTest;
using posix::PresentCall;

// A bottom-up 24-bit DIB section filled with one colour (0x00RRGGBB).
HBITMAP MakeDib(int width, int height, std::uint32_t rgb) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  posix::DibSection* dib = posix::FindDibSection(bitmap);
  for (int y = 0; dib != nullptr && y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      BYTE* p = &dib->bits[static_cast<std::size_t>(y * dib->stride + x * 3)];
      p[0] = static_cast<BYTE>(rgb);
      p[1] = static_cast<BYTE>(rgb >> 8);
      p[2] = static_cast<BYTE>(rgb >> 16);
    }
  }
  return bitmap;
}

class DeviceContexts : public HeadlessWindowTest {};

TEST_F(DeviceContexts, BitBltCopiesOneToOneAndRecordsThePresentation) {
  const HWND window = MakeWindow();
  const HBITMAP bitmap = MakeDib(64, 48, 0x123456);
  const HDC windowDc = GetDC(window);
  const HDC memoryDc = CreateCompatibleDC(windowDc);
  const HGDIOBJ previous = SelectObject(memoryDc, bitmap);
  ASSERT_NE(previous, nullptr);

  EXPECT_TRUE(BitBlt(windowDc, 0, 0, 64, 48, memoryDc, 0, 0, SRCCOPY));
  EXPECT_EQ(backend.PixelAt(NativeOf(window), 0, 0), 0x123456u);
  EXPECT_EQ(backend.PixelAt(NativeOf(window), 63, 47), 0x123456u);
  ASSERT_EQ(backend.Presentations().size(), 1u);
  const posix::headless::PresentRecord& shown = backend.Presentations()[0];
  EXPECT_EQ(shown.window, NativeOf(window));
  EXPECT_EQ(shown.info.call, PresentCall::BitBlt);
  EXPECT_EQ(shown.info.destWidth, 64);
  EXPECT_EQ(shown.info.sourceHeight, 48);
  EXPECT_EQ(shown.area.right, 64);
  EXPECT_EQ(shown.area.bottom, 48);

  // The earlier bitmap goes back in, and the contexts are given back.
  EXPECT_EQ(SelectObject(memoryDc, previous), bitmap);
  EXPECT_EQ(ReleaseDC(window, windowDc), 1);
  EXPECT_TRUE(DeleteDC(memoryDc));
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(DeviceContexts, StretchBltScalesTheWholeBufferOverTheWindow) {
  const HWND window = MakeWindow();
  const HBITMAP bitmap = MakeDib(32, 24, 0x00FF00);
  const HDC windowDc = GetDC(window);
  const HDC memoryDc = CreateCompatibleDC(windowDc);
  const HGDIOBJ previous = SelectObject(memoryDc, bitmap);

  EXPECT_TRUE(StretchBlt(windowDc, 0, 0, 64, 48, memoryDc, 0, 0, 32, 24, SRCCOPY));
  EXPECT_EQ(backend.PixelAt(NativeOf(window), 63, 47), 0x00FF00u);
  ASSERT_EQ(backend.Presentations().size(), 1u);
  const posix::PresentInfo& info = backend.Presentations()[0].info;
  EXPECT_EQ(info.call, PresentCall::StretchBlt);
  EXPECT_EQ(info.destWidth, 64);
  EXPECT_EQ(info.destHeight, 48);
  EXPECT_EQ(info.sourceWidth, 32);
  EXPECT_EQ(info.sourceHeight, 24);

  SelectObject(memoryDc, previous);
  ReleaseDC(window, windowDc);
  DeleteDC(memoryDc);
  DeleteObject(bitmap);
}

TEST_F(DeviceContexts, BlitsThatCannotBeDoneFailAndShowNothing) {
  const HWND window = MakeWindow();
  const HBITMAP bitmap = MakeDib(8, 8, 0xFFFFFF);
  const HDC windowDc = GetDC(window);
  const HDC memoryDc = CreateCompatibleDC(windowDc);
  const HDC emptyDc = CreateCompatibleDC(nullptr);  // still holds its default bitmap, which has no pixels
  const HGDIOBJ previous = SelectObject(memoryDc, bitmap);

  EXPECT_FALSE(BitBlt(windowDc, 0, 0, 8, 8, memoryDc, 0, 0, 0x00EE0086u));  // SRCPAINT: not supported
  EXPECT_FALSE(BitBlt(windowDc, 0, 0, -8, 8, memoryDc, 0, 0, SRCCOPY));     // mirroring: not supported
  EXPECT_FALSE(StretchBlt(windowDc, 0, 0, 8, 8, memoryDc, 0, 0, 8, -8, SRCCOPY));
  EXPECT_FALSE(BitBlt(windowDc, 0, 0, 8, 8, emptyDc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(memoryDc, 0, 0, 8, 8, windowDc, 0, 0, SRCCOPY));  // window as source
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 8, 8, memoryDc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(reinterpret_cast<HDC>(0x1234), 0, 0, 8, 8, memoryDc, 0, 0, SRCCOPY));

  // Nothing to copy is not a failure.
  EXPECT_TRUE(BitBlt(windowDc, 0, 0, 0, 8, memoryDc, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(windowDc, 500, 500, 8, 8, memoryDc, 0, 0, SRCCOPY));
  EXPECT_TRUE(backend.Presentations().empty());
  EXPECT_EQ(backend.PixelAt(NativeOf(window), 0, 0), 0u);

  // A deleted bitmap, a released context and a destroyed window all end in FALSE, never in a stale pointer.
  SelectObject(memoryDc, previous);
  const HBITMAP deleted = MakeDib(8, 8, 0xFFFFFF);
  SelectObject(memoryDc, deleted);
  DeleteObject(deleted);
  EXPECT_FALSE(BitBlt(windowDc, 0, 0, 8, 8, memoryDc, 0, 0, SRCCOPY));
  SelectObject(memoryDc, bitmap);
  const HDC released = GetDC(window);
  ReleaseDC(window, released);
  EXPECT_FALSE(BitBlt(released, 0, 0, 8, 8, memoryDc, 0, 0, SRCCOPY));
  DestroyWindow(window);
  EXPECT_FALSE(BitBlt(windowDc, 0, 0, 8, 8, memoryDc, 0, 0, SRCCOPY));
  EXPECT_TRUE(backend.Presentations().empty());

  DeleteDC(memoryDc);
  DeleteDC(emptyDc);
  DeleteObject(bitmap);
}

TEST_F(DeviceContexts, SelectionAndReleaseRules) {
  const HWND window = MakeWindow();
  const HBITMAP bitmap = MakeDib(4, 4, 0);
  const HDC windowDc = GetDC(window);
  const HDC first = CreateCompatibleDC(windowDc);
  const HDC second = CreateCompatibleDC(windowDc);

  EXPECT_EQ(SelectObject(first, bitmap), posix::DefaultMemoryBitmap());
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);    // already selected into another context
  EXPECT_EQ(SelectObject(windowDc, bitmap), nullptr);  // only memory contexts hold bitmaps
  const LOGPALETTE logPalette{0x300, 1, {{1, 2, 3, 0}}};
  const HPALETTE palette = CreatePalette(&logPalette);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(SelectObject(second, palette), nullptr);  // palettes are not selected with SelectObject
  DeleteObject(palette);
  EXPECT_EQ(SelectObject(second, reinterpret_cast<HGDIOBJ>(0x4321)), nullptr);
  EXPECT_EQ(SelectObject(nullptr, bitmap), nullptr);

  EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(0x999)), nullptr);
  EXPECT_FALSE(DeleteDC(windowDc));          // a window's context is released, not deleted
  EXPECT_EQ(ReleaseDC(nullptr, windowDc), 0);  // not the window it came from
  EXPECT_EQ(ReleaseDC(window, first), 0);      // a memory context is deleted, not released
  EXPECT_EQ(ReleaseDC(window, windowDc), 1);
  EXPECT_EQ(ReleaseDC(window, windowDc), 0);  // only once
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x777)), nullptr);

  EXPECT_TRUE(DeleteDC(first));
  EXPECT_FALSE(DeleteDC(first));
  EXPECT_TRUE(DeleteDC(second));
  DeleteObject(bitmap);
}

TEST_F(DeviceContexts, WindowGeometryAndScreenMetrics) {
  const HWND window = MakeWindow();
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(window, &rect));
  EXPECT_EQ(rect.right - rect.left, 64);
  EXPECT_EQ(rect.bottom - rect.top, 48);
  ASSERT_TRUE(GetClientRect(window, &rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.right, 64);
  EXPECT_FALSE(GetWindowRect(window, nullptr));
  EXPECT_FALSE(GetWindowRect(reinterpret_cast<HWND>(0x777), &rect));

  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 64);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 48);
  // With no virtual screen configured it is the primary screen.
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 64);
  EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 48);
  EXPECT_EQ(GetSystemMetrics(12345), 0);
}

TEST(WithoutBackend, CallsFailInsteadOfCrashing) {
  posix::SetDisplayBackend(nullptr);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 0);
  EXPECT_EQ(SetTimer(nullptr, 1, 10, nullptr), 0u);
  MSG message{};
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), -1);
  RECT rect{};
  EXPECT_FALSE(GetWindowRect(nullptr, &rect));
  // The tick count still runs, from the system's clock.
  const DWORD before = GetTickCount();
  EXPECT_LT(GetTickCount() - before, 60000u);
}

}  // namespace
