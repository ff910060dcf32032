#include "tumbler/scr_api.h"

#include "saverlib/screensaver.h"
#include "shell/scene_contract.h"
#include "shell/scene_math.h"

namespace tumbler {
namespace {

constexpr std::uint32_t kSeed = 4357;
constexpr std::int32_t kSpriteCount = 30;
constexpr std::int32_t kHalfWidth = 50;  // a sprite at x = -50 has its centre on the left screen edge
constexpr std::int32_t kStartRowStep = -25;
// The drop per crossing is this fraction of k screen heights. It is the single-precision 0.05 widened to double
// (0.0500000007450580596923828125), which for every height up to millions of rows gives k x height / 20 exactly.
constexpr double kDropFraction = static_cast<double>(0.05f);
constexpr DWORD kColourKey = 0x00FF00;
constexpr BYTE kOpaque = 255;

}  // namespace

ScrAPI::ScrAPI(HWND window) : random(kSeed) {
  shell::MeasureScreenAndWindow(*this, window);
}

ScrAPI::~ScrAPI() {
  // The bitmap owns the back buffer's pixels, so it goes first; the members then go in reverse order of
  // declaration: the arrays, the back buffer, the image, the grey table.
  if (backBufferBitmap != nullptr) DeleteObject(backBufferBitmap);
}

bool ScrAPI::Init(HWND window) {
  const DWORD t0 = GetTickCount();
  if (!image.LoadBitmapResource(g_hMainInstance, MAKEINTRESOURCEA(kBitmapResource))) return false;

  if (!shell::CreateBackBuffer(*this, window)) return false;

  spriteCount = kSpriteCount;
  for (auto* array : {&startTime, &duration, &startX, &startY, &negDrop}) array->assign(spriteCount, 0);
  movingRight.assign(spriteCount, 0);
  curvature.assign(spriteCount, 0.0);
  for (std::int32_t i = 0; i < spriteCount; ++i) SpawnSprite(i, t0);
  return true;
}

void ScrAPI::Tick(DWORD time, HWND window) { shell::Tick(*this, time, window); }
void ScrAPI::Present(HWND window) { shell::Present(*this, window); }
bool ScrAPI::IsFullSize() const { return shell::IsFullSize(*this); }
void ScrAPI::ReadWindowSize(HWND window) { shell::ReadWindowSize(*this, window); }

void ScrAPI::SpawnSprite(std::int32_t i, DWORD time) {
  startTime[i] = shell::AsSigned(time);
  duration[i] = static_cast<std::int32_t>(random.NextInt() % 50u) * 100 + 2000;
  startX[i] = (random.NextInt() & 1u) != 0 ? screenWidth - kHalfWidth : -kHalfWidth;
  const std::uint32_t k = random.NextInt() % 10u + 4u;
  const std::uint32_t screens = k * static_cast<std::uint32_t>(screenHeight);
  const std::int32_t drop = shell::TruncateToInt32(static_cast<double>(screens) * kDropFraction);
  negDrop[i] = -drop;
  startY[i] = static_cast<std::int32_t>(random.NextInt() % 25u) * kStartRowStep;
  curvature[i] = static_cast<double>(drop) / static_cast<double>(duration[i] * duration[i]);
  movingRight[i] = startX[i] == -kHalfWidth ? 1 : 0;
}

void ScrAPI::TurnSprite(std::int32_t i, DWORD time) {
  const BYTE wasMovingRight = movingRight[i];
  startTime[i] = shell::AsSigned(time);
  movingRight[i] = wasMovingRight == 0 ? 1 : 0;
  startX[i] = wasMovingRight != 0 ? screenWidth - kHalfWidth : -kHalfWidth;
  // The next crossing starts one drop lower, where the arc of this one ended.
  startY[i] = shell::SaturateToInt32(static_cast<std::int64_t>(startY[i]) - negDrop[i]);
}

void ScrAPI::UpdateSprite(std::int32_t i, DWORD time) {
  const bool mirror = movingRight[i] == 0;
  const std::int32_t signedWidth = mirror ? -screenWidth : screenWidth;
  const auto start = static_cast<std::uint32_t>(startTime[i]);

  // u runs from -duration to 0 during a crossing; the arc is level at its end.
  const double u = shell::WrappedDifference(time - static_cast<std::uint32_t>(duration[i]), start);
  const std::int32_t q = shell::TruncateToInt32(u * curvature[i] * u + negDrop[i]);
  const std::int32_t y = shell::SaturateToInt32(static_cast<std::int64_t>(startY[i]) - q);
  // The products are exact in 64 bits and equal the 32-bit ones wherever those do not overflow; after a gap
  // long enough to overflow them the sprite is far off the screen and is turned below.
  const std::int64_t elapsed = shell::WrappedDifference(time, start);
  const std::int32_t x = shell::SaturateToInt32(elapsed * signedWidth / duration[i] + startX[i]);

  drawTrace.Report({i, 0, x, y, mirror, false});
  DrawCopy(image, backBuffer, DrawParams{&grayTable, x, y, mirror, kColourKey, kOpaque});

  if (x < -kHalfWidth || x > screenWidth - kHalfWidth) TurnSprite(i, time);
  if (y > screenHeight) SpawnSprite(i, time);
}

}  // namespace tumbler
