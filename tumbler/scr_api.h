// The tumbler scene: thirty copies of one curled-up sprite tumbling down the primary screen in a zig-zag. Each
// crosses the screen at constant speed while sinking along a parabolic arc, turns at the far side and crosses
// back one drop lower, mirrored to face its way, until it falls below the bottom and is spawned anew.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/draw.h"
#include "gfx/gray_table.h"
#include "gfx/surface.h"
#include "platform/win32.h"
#include "rng/mersenne_twister.h"
#include "shell/draw_trace.h"

namespace tumbler {

constexpr int kBitmapResource = 102;

class ScrAPI {
 public:
  static constexpr bool kTracesLifecycle = true;

  explicit ScrAPI(HWND window);
  ~ScrAPI();
  ScrAPI(const ScrAPI&) = delete;
  ScrAPI& operator=(const ScrAPI&) = delete;

  bool Init(HWND window);
  void Tick(DWORD time, HWND window);
  void UpdateSprite(std::int32_t i, DWORD time);
  void SpawnSprite(std::int32_t i, DWORD time);
  void TurnSprite(std::int32_t i, DWORD time);
  void Present(HWND window);
  bool IsFullSize() const;
  void ReadWindowSize(HWND window);

  GrayTable grayTable;
  Surface image;
  Surface backBuffer;
  MersenneTwister random;
  HBITMAP backBufferBitmap = nullptr;
  std::int32_t spriteCount = 0;
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  std::int32_t windowWidth = 0;
  std::int32_t windowHeight = 0;
  std::vector<std::int32_t> startTime;
  std::vector<std::int32_t> duration;
  std::vector<std::int32_t> startX;
  std::vector<std::int32_t> startY;
  std::vector<std::int32_t> negDrop;
  std::vector<BYTE> movingRight;
  std::vector<double> curvature;

  // Not part of the scene's behaviour: lets the offline renderer see every sprite draw.
  shell::DrawTrace drawTrace;
};

}  // namespace tumbler
