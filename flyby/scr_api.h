// The flyby scene: thirty sprites, each one of four characters animated in three frames, flying horizontally
// across the primary screen at constant speed; drawn as stored when flying right, mirrored and grey when flying
// left, and replaced by a new one from a side edge as soon as they have left the screen.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gfx/draw.h"
#include "gfx/gray_table.h"
#include "gfx/surface.h"
#include "platform/win32.h"
#include "rng/mersenne_twister.h"
#include "shell/draw_trace.h"

namespace flyby {

constexpr int kImageCount = 12;
constexpr int kFirstBitmapResource = 102;

class ScrAPI {
 public:
  static constexpr bool kTracesLifecycle = false;

  explicit ScrAPI(HWND window);
  ~ScrAPI();
  ScrAPI(const ScrAPI&) = delete;
  ScrAPI& operator=(const ScrAPI&) = delete;

  bool Init(HWND window);
  void Tick(DWORD time, HWND window);
  void UpdateSprite(std::int32_t i, DWORD time);
  void SpawnSprite(std::int32_t i, DWORD time);
  void RespawnSprite(std::int32_t i, DWORD time);
  void Present(HWND window);
  bool IsFullSize() const;
  void ReadWindowSize(HWND window);

  GrayTable grayTable;
  std::array<Surface, kImageCount> images;
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
  std::vector<std::int32_t> travel;
  std::vector<std::int32_t> frameBase;

  // Not part of the scene's behaviour: lets the offline renderer see every sprite draw.
  shell::DrawTrace drawTrace;

 private:
  std::uint32_t HorizontalRange() const;
  std::uint32_t VerticalRange() const;
  std::int32_t Travel() const;
};

}  // namespace flyby
