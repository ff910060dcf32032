#include <gtest/gtest.h>

#include <set>

#include "flyby/scr_api.h"
#include "kestrova_resources/flyby.h"
#include "kestrova_resources/flyby_first_character.h"
#include "tests/scenes/running_saver.h"

namespace {

using Saver = RunningSaver<flyby::ScrAPI>;

struct SpriteValues {
  int sprite;
  std::int32_t duration, startX, startY, travel, frameBase;
};

TEST(FlybyScene, InitPlacesTheSeededSpritesAtTheStartTime) {
  Saver saver(Screen(1024, 768, 12345), KestrovaResourceModule_flyby());
  flyby::ScrAPI& scene = *saver.Scene();
  ASSERT_EQ(scene.spriteCount, 30);
  for (const SpriteValues& expected : {SpriteValues{0, 4700, 514, 83, -1184, 6}, SpriteValues{1, 2800, 256, 506, 1184, 0}}) {
    SCOPED_TRACE(expected.sprite);
    EXPECT_EQ(scene.duration[expected.sprite], expected.duration);
    EXPECT_EQ(scene.startX[expected.sprite], expected.startX);
    EXPECT_EQ(scene.startY[expected.sprite], expected.startY);
    EXPECT_EQ(scene.travel[expected.sprite], expected.travel);
    EXPECT_EQ(scene.frameBase[expected.sprite], expected.frameBase);
  }
  for (int i = 0; i < scene.spriteCount; ++i) EXPECT_EQ(scene.startTime[i], 12345);
}

TEST(FlybyScene, InitialSpritesLeftOfTheCentreFlyRightAndTheOthersLeft) {
  Saver saver(Screen(1024, 768), KestrovaResourceModule_flyby());
  flyby::ScrAPI& scene = *saver.Scene();
  std::set<bool> directions;
  for (int n = 0; n < 2000; ++n) {
    scene.SpawnSprite(0, 0);
    // (1024 - 160) / 2 = 432: a sprite at 431 flies right, one at 432 flies left.
    ASSERT_EQ(scene.travel[0], scene.startX[0] < 432 ? 1184 : -1184) << scene.startX[0];
    ASSERT_GE(scene.startX[0], -160);
    ASSERT_LE(scene.startX[0], 1023);
    ASSERT_GE(scene.startY[0], 0);
    ASSERT_LE(scene.startY[0], 768 - 121);
    directions.insert(scene.travel[0] > 0);
  }
  EXPECT_EQ(directions.size(), 2u);
}

TEST(FlybyScene, RespawnedSpritesEnterFromAnEdgeOnATenRowGrid) {
  Saver saver(Screen(1024, 768), KestrovaResourceModule_flyby());
  flyby::ScrAPI& scene = *saver.Scene();
  for (int n = 0; n < 2000; ++n) {
    scene.RespawnSprite(0, 500);
    ASSERT_EQ(scene.startTime[0], 500);
    ASSERT_TRUE(scene.startX[0] == 1024 || scene.startX[0] == -160);
    ASSERT_EQ(scene.travel[0], scene.startX[0] == 1024 ? -1184 : 1184);
    ASSERT_EQ(scene.startY[0] % 10, 0);
    ASSERT_LE(scene.startY[0], 768 - 121);
    ASSERT_GE(scene.duration[0], 2000);
    ASSERT_LE(scene.duration[0], 6900);
    ASSERT_EQ(scene.duration[0] % 100, 0);
  }
}

TEST(FlybyScene, AnimationFrameAdvancesEveryFiftyMilliseconds) {
  Saver saver(Screen(1024, 768), KestrovaResourceModule_flyby());
  flyby::ScrAPI& scene = *saver.Scene();
  struct Case {
    DWORD elapsed;
    int image;
  };
  for (const Case& c : {Case{0, 3}, Case{49, 3}, Case{50, 4}, Case{99, 4}, Case{100, 5}, Case{149, 5}, Case{150, 3}}) {
    scene.startTime[7] = 1000;
    scene.startX[7] = 0;
    scene.travel[7] = 1184;
    scene.duration[7] = 6900;
    scene.frameBase[7] = 3;
    const auto draws = saver.UpdateAt(7, 1000 + c.elapsed);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].image, c.image) << "elapsed " << c.elapsed;
  }
}

TEST(FlybyScene, PositionsAtAndBeyondTheEdgesRespawnOnlyBeyond) {
  Saver saver(Screen(1024, 768), KestrovaResourceModule_flyby());
  flyby::ScrAPI& scene = *saver.Scene();
  struct Case {
    std::int32_t startX, travel, duration;
    DWORD elapsed;
    std::int32_t x;
    bool respawned;
  };
  const Case cases[] = {
      {1024, -1184, 3000, 0, 1024, false},  // just respawned at the right edge
      {-160, 1184, 3000, 0, -160, false},   // just respawned at the left edge
      {1025, -1184, 3000, 0, 1025, true},
      {-161, 1184, 3000, 0, -161, true},
      {-160, 1184, 2000, 1000, 432, false},  // -160 + 1000 x 1184 / 2000
      {-160, 1184, 2000, 2000, 1024, false},
      {-160, 1184, 2000, 2002, 1025, true},
      {1024, -1184, 2000, 2000, -160, false},
      {1024, -1184, 2000, 2002, -161, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "startX " << c.startX << " elapsed " << c.elapsed);
    scene.startTime[5] = 100;
    scene.startX[5] = c.startX;
    scene.travel[5] = c.travel;
    scene.duration[5] = c.duration;
    const std::int32_t wordsLeft = scene.random.wordsLeft;
    const auto draws = saver.UpdateAt(5, 100 + c.elapsed);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].x, c.x);
    EXPECT_EQ(draws[0].mirror, c.travel < 0);
    EXPECT_EQ(draws[0].gray, c.travel < 0);
    EXPECT_EQ(scene.random.wordsLeft != wordsLeft, c.respawned) << "a respawn draws from the generator";
  }
}

TEST(FlybyScene, SpritesFlyingLeftAreMirroredAndGreyAndThoseFlyingRightAreDrawnAsStored) {
  Saver saver(Screen(1024, 768), KestrovaResourceModule_flyby());
  flyby::ScrAPI& scene = *saver.Scene();
  scene.spriteCount = 1;  // the picture shows sprite 0 alone
  ASSERT_LT(scene.travel[0], 0);
  // At 10 ms sprite 0 is at (514 - 10 x 1184 / 4700, 83) in frame 0 of character 2.
  saver.TickAt(10);
  EXPECT_EQ(MismatchesOfSpriteAt(saver, scene.images[6], 512, 83, true, true), 0);
  EXPECT_GT(MismatchesOfSpriteAt(saver, scene.images[6], 512, 83, false, true), 0) << "the mirror shows";
  scene.travel[0] = 1184;
  saver.TickAt(20);
  EXPECT_EQ(MismatchesOfSpriteAt(saver, scene.images[6], 519, 83, false, false), 0);
}

TEST(FlybyScene, ImagesThatFailedToLoadAreNeverDrawn) {
  // A module with only the first character's three frames.
  Saver saver(Screen(1024, 768), KestrovaResourceModule_flyby_first_character());
  ASSERT_NE(saver.Scene(), nullptr);
  std::set<int> drawnImages;
  int respawns = 0;
  for (DWORD t = 50; t <= 20000; t += 50) {
    const std::int32_t before = saver.Scene()->startTime[0];
    for (const auto& draw : saver.UpdateAllAt(t)) drawnImages.insert(draw.image);
    respawns += saver.Scene()->startTime[0] != before;
  }
  EXPECT_EQ(drawnImages, (std::set<int>{0, 1, 2}));
  EXPECT_GT(respawns, 0) << "sprites whose images are missing still move and are respawned";
}

TEST(FlybyScene, ScreensOfAtMost120RowsPutEverySpriteOnRowZero) {
  for (int height : {120, 1}) {
    SCOPED_TRACE(height);
    Saver saver(Screen(640, height), KestrovaResourceModule_flyby());
    ASSERT_NE(saver.Scene(), nullptr);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(saver.Scene()->startY[i], 0);
    for (DWORD t = 50; t <= 10000; t += 50) saver.UpdateAllAt(t);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(saver.Scene()->startY[i], 0);
  }
}

TEST(FlybyScene, MotionIsTheSameAcrossTheWrapOfTheTickCount) {
  const auto early = DrawsOfRun<flyby::ScrAPI>(Screen(1024, 768, 0), KestrovaResourceModule_flyby(), 40, 8000);
  const auto wrapping =
      DrawsOfRun<flyby::ScrAPI>(Screen(1024, 768, 0xFFFFFE00u), KestrovaResourceModule_flyby(), 40, 8000);
  ASSERT_EQ(early.size(), wrapping.size());
  for (std::size_t n = 0; n < early.size(); ++n) ASSERT_TRUE(SameDraws(early[n], wrapping[n])) << "draw " << n;
}

TEST(FlybyScene, AGapOfHoursRespawnsEverySprite) {
  Saver saver(Screen(1920, 1080, 0xFFFFFF00u), KestrovaResourceModule_flyby());
  const DWORD hoursLater = 0xFFFFFF00u + 3u * 3600u * 1000u;
  const auto draws = saver.TickAt(hoursLater);
  EXPECT_EQ(draws.size(), 30u);
  for (const auto& draw : draws) EXPECT_TRUE(draw.x > 1920 || draw.x < -160) << draw.x;
  for (int i = 0; i < 30; ++i) EXPECT_EQ(saver.Scene()->startTime[i], static_cast<std::int32_t>(hoursLater));
}

}  // namespace
