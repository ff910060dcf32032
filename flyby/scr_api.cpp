#include "flyby/scr_api.h"

#include "saverlib/screensaver.h"
#include "shell/scene_contract.h"
#include "shell/scene_math.h"

namespace flyby {
namespace {

constexpr std::uint32_t kSeed = 4357;
constexpr std::int32_t kSpriteCount = 30;
constexpr std::int32_t kSpriteWidth = 160;   // also the left margin and the extra travel
constexpr std::int32_t kSpriteHeight = 120;  // the y range leaves this much room at the bottom
constexpr std::int32_t kFrameMs = 50;
constexpr std::int32_t kFramesPerCharacter = 3;
constexpr std::int32_t kRespawnRowGrid = 10;
constexpr DWORD kColourKey = 0x00FF00;
constexpr BYTE kOpaque = 255;

std::int32_t DurationFrom(std::uint32_t r) { return static_cast<std::int32_t>(r % 50u) * 100 + 2000; }
std::int32_t FrameBaseFrom(std::uint32_t r) { return static_cast<std::int32_t>(r & 3u) * kFramesPerCharacter; }

}  // namespace

ScrAPI::ScrAPI(HWND window) : random(kSeed) {
  shell::MeasureScreenAndWindow(*this, window);
}

ScrAPI::~ScrAPI() {
  // The bitmap owns the back buffer's pixels, so it goes first; the members then go in reverse order of
  // declaration: the arrays, the back buffer, the images last to first, the grey table.
  if (backBufferBitmap != nullptr) DeleteObject(backBufferBitmap);
}

bool ScrAPI::Init(HWND window) {
  const DWORD t0 = GetTickCount();
  // A failed load is not an error here: that image is never drawn.
  for (int k = 0; k < kImageCount; ++k) {
    images[k].LoadBitmapResource(g_hMainInstance, MAKEINTRESOURCEA(kFirstBitmapResource + k));
  }

  if (!shell::CreateBackBuffer(*this, window)) return false;

  spriteCount = kSpriteCount;
  for (auto* array : {&startTime, &duration, &startX, &startY, &travel, &frameBase}) array->assign(spriteCount, 0);
  for (std::int32_t i = 0; i < spriteCount; ++i) SpawnSprite(i, t0);
  return true;
}

void ScrAPI::Tick(DWORD time, HWND window) { shell::Tick(*this, time, window); }
void ScrAPI::Present(HWND window) { shell::Present(*this, window); }
bool ScrAPI::IsFullSize() const { return shell::IsFullSize(*this); }
void ScrAPI::ReadWindowSize(HWND window) { shell::ReadWindowSize(*this, window); }

// Columns at which a sprite may start: from one sprite width left of the screen to its last column.
std::uint32_t ScrAPI::HorizontalRange() const { return static_cast<std::uint32_t>(screenWidth) + kSpriteWidth; }

// Rows at which a sprite may fly. A screen of 120 rows or fewer leaves none below the sprite's height; there
// every sprite flies at row 0 rather than dividing by zero or by a negative range.
std::uint32_t ScrAPI::VerticalRange() const {
  return screenHeight > kSpriteHeight ? static_cast<std::uint32_t>(screenHeight - kSpriteHeight) : 1u;
}

std::int32_t ScrAPI::Travel() const { return screenWidth + kSpriteWidth; }

void ScrAPI::SpawnSprite(std::int32_t i, DWORD time) {
  startTime[i] = shell::AsSigned(time);
  duration[i] = DurationFrom(random.NextInt());
  startX[i] = static_cast<std::int32_t>(random.NextInt() % HorizontalRange()) - kSpriteWidth;
  startY[i] = static_cast<std::int32_t>(random.NextInt() % VerticalRange());
  // A sprite whose centre starts left of the screen's centre flies right, the others fly left.
  travel[i] = startX[i] < (screenWidth - kSpriteWidth) / 2 ? Travel() : -Travel();
  frameBase[i] = FrameBaseFrom(random.NextInt());
}

void ScrAPI::RespawnSprite(std::int32_t i, DWORD time) {
  startTime[i] = shell::AsSigned(time);
  duration[i] = DurationFrom(random.NextInt());
  startX[i] = (random.NextInt() & 1u) != 0 ? screenWidth : -kSpriteWidth;
  startY[i] = static_cast<std::int32_t>(random.NextInt() % VerticalRange()) / kRespawnRowGrid * kRespawnRowGrid;
  travel[i] = startX[i] == screenWidth ? -Travel() : Travel();
  frameBase[i] = FrameBaseFrom(random.NextInt());
}

void ScrAPI::UpdateSprite(std::int32_t i, DWORD time) {
  const std::int32_t elapsed = shell::WrappedDifference(time, static_cast<std::uint32_t>(startTime[i]));
  // A clock that runs backwards gives a negative elapsed time; the frame still has to be one of the three.
  std::int32_t phase = (elapsed / kFrameMs) % kFramesPerCharacter;
  if (phase < 0) phase += kFramesPerCharacter;
  const std::int32_t frame = frameBase[i] + phase;
  // The product is exact in 64 bits and equals the 32-bit one wherever that does not overflow; after a gap
  // long enough to overflow it the sprite is far off the screen and is respawned below.
  const std::int32_t x = shell::SaturateToInt32(
      startX[i] + static_cast<std::int64_t>(elapsed) * travel[i] / duration[i]);

  const bool movingRight = travel[i] > 0;
  const DrawParams params{&grayTable, x, startY[i], !movingRight, kColourKey, kOpaque};
  // An image that failed to load is never drawn.
  if (images[frame].kind == SurfaceKind::Resource) {
    drawTrace.Report({i, frame, x, startY[i], !movingRight, !movingRight});
    if (movingRight) {
      DrawCopy(images[frame], backBuffer, params);
    } else {
      DrawGray(images[frame], backBuffer, params);
    }
  }

  if (x < -kSpriteWidth || x > screenWidth) RespawnSprite(i, time);
}

}  // namespace flyby
