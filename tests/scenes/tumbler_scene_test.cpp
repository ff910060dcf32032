#include <gtest/gtest.h>

#include <set>

#include "kestrova_resources/tumbler.h"
#include "tests/scenes/running_saver.h"
#include "tumbler/scr_api.h"

namespace {

using Saver = RunningSaver<tumbler::ScrAPI>;

struct SpriteValues {
  int sprite;
  std::int32_t duration, startX, startY, negDrop;
  BYTE movingRight;
};

TEST(TumblerScene, InitSpawnsTheSeededSpritesAtTheSidesAtTheStartTime) {
  Saver saver(Screen(1024, 768, 777), KestrovaResourceModule_tumbler());
  tumbler::ScrAPI& scene = *saver.Scene();
  ASSERT_EQ(scene.spriteCount, 30);
  const SpriteValues expected[] = {{0, 4700, -50, -525, -499, 1}, {1, 2800, -50, -250, -460, 1}, {3, 4000, 974, -200, -153, 0}};
  for (const SpriteValues& e : expected) {
    SCOPED_TRACE(e.sprite);
    EXPECT_EQ(scene.duration[e.sprite], e.duration);
    EXPECT_EQ(scene.startX[e.sprite], e.startX);
    EXPECT_EQ(scene.startY[e.sprite], e.startY);
    EXPECT_EQ(scene.negDrop[e.sprite], e.negDrop);
    EXPECT_EQ(scene.movingRight[e.sprite], e.movingRight);
    EXPECT_DOUBLE_EQ(scene.curvature[e.sprite], -e.negDrop / (double(e.duration) * e.duration));
  }
  EXPECT_EQ(scene.movingRight[2], 1) << "sprite 3 is the first that starts on the right";
  for (int i = 0; i < 30; ++i) EXPECT_EQ(scene.startTime[i], 777);
}

TEST(TumblerScene, SpriteZeroFollowsItsArcTurnsAndComesBackMirrored) {
  Saver saver(Screen(1024, 768, 0), KestrovaResourceModule_tumbler());
  tumbler::ScrAPI& scene = *saver.Scene();
  struct Step {
    DWORD time;
    std::int32_t x, y;
    bool mirror;
  };
  for (const Step& step : {Step{10, -48, -523, false}, Step{2350, 462, -151, false}, Step{4700, 974, -26, false},
                           Step{4710, 976, -27, false}, Step{4720, 972, -24, true}}) {
    SCOPED_TRACE(step.time);
    const auto draws = saver.UpdateAt(0, step.time);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].x, step.x);
    EXPECT_EQ(draws[0].y, step.y);
    EXPECT_EQ(draws[0].mirror, step.mirror);
    if (step.time == 4700) {
      EXPECT_EQ(scene.startTime[0], 0) << "x = 974 is not beyond the turning limit";
    }
    if (step.time == 4710) {
      EXPECT_EQ(scene.startTime[0], 4710);
      EXPECT_EQ(scene.startX[0], 974);
      EXPECT_EQ(scene.startY[0], -26);
      EXPECT_EQ(scene.movingRight[0], 0);
    }
  }
}

std::set<std::int32_t> Drops(int screenHeight) {
  Saver saver(Screen(1024, screenHeight), KestrovaResourceModule_tumbler());
  std::set<std::int32_t> drops;
  for (int n = 0; n < 500; ++n) {
    saver.Scene()->SpawnSprite(0, 0);
    drops.insert(-saver.Scene()->negDrop[0]);
  }
  return drops;
}

TEST(TumblerScene, DropsAreWholeTwentiethsOfTheScreenHeight) {
  EXPECT_EQ(Drops(768), (std::set<std::int32_t>{153, 192, 230, 268, 307, 345, 384, 422, 460, 499}));
  EXPECT_EQ(Drops(1080), (std::set<std::int32_t>{216, 270, 324, 378, 432, 486, 540, 594, 648, 702}));
}

TEST(TumblerScene, OnlyPositionsBeyondTheLimitsTurnOrRespawn) {
  Saver saver(Screen(1024, 768), KestrovaResourceModule_tumbler());
  tumbler::ScrAPI& scene = *saver.Scene();
  struct Case {
    std::int32_t startX, startY;
    BYTE movingRight;
    bool turned, respawned;
  };
  const Case cases[] = {
      {-50, 100, 1, false, false}, {-51, 100, 1, true, false},  {974, 100, 0, false, false},
      {975, 100, 0, true, false},  {100, 768, 1, false, false}, {100, 769, 1, false, true},
      {-51, 769, 1, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "x " << c.startX << " y " << c.startY);
    // A level arc (no curvature, no drop) keeps the sprite at its start height.
    scene.startTime[4] = 300;
    scene.duration[4] = 3000;
    scene.startX[4] = c.startX;
    scene.startY[4] = c.startY;
    scene.negDrop[4] = 0;
    scene.curvature[4] = 0.0;
    scene.movingRight[4] = c.movingRight;
    const auto draws = saver.UpdateAt(4, 300);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].x, c.startX);
    EXPECT_EQ(draws[0].y, c.startY);
    if (c.respawned) {
      EXPECT_NE(scene.negDrop[4], 0) << "a spawn draws a new drop";
    } else if (c.turned) {
      EXPECT_EQ(scene.movingRight[4], c.movingRight ? 0 : 1);
      EXPECT_EQ(scene.startX[4], c.movingRight ? 974 : -50);
    } else {
      EXPECT_EQ(scene.startX[4], c.startX);
      EXPECT_EQ(scene.movingRight[4], c.movingRight);
    }
  }
}

TEST(TumblerScene, MotionIsTheSameAcrossTheWrapOfTheTickCount) {
  const auto early = DrawsOfRun<tumbler::ScrAPI>(Screen(1024, 768, 0), KestrovaResourceModule_tumbler(), 30, 30000);
  const auto wrapping =
      DrawsOfRun<tumbler::ScrAPI>(Screen(1024, 768, 0xFFFFFC00u), KestrovaResourceModule_tumbler(), 30, 30000);
  ASSERT_EQ(early.size(), wrapping.size());
  for (std::size_t n = 0; n < early.size(); ++n) ASSERT_TRUE(SameDraws(early[n], wrapping[n])) << "draw " << n;
}

TEST(TumblerScene, AGapOfHoursTurnsEverySpriteAndKeepsThemFalling) {
  Saver saver(Screen(1920, 1080, 0xFFFFFF00u), KestrovaResourceModule_tumbler());
  const DWORD hoursLater = 0xFFFFFF00u + 5u * 3600u * 1000u;
  EXPECT_EQ(saver.TickAt(hoursLater).size(), 30u);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(saver.Scene()->startTime[i], static_cast<std::int32_t>(hoursLater));
  // Afterwards every sprite still falls out of the screen and is spawned anew within a few minutes.
  std::set<int> respawned;
  for (DWORD t = 100; t <= 200000; t += 100) {
    for (const auto& draw : saver.UpdateAllAt(hoursLater + t))
      if (draw.y > 1080) respawned.insert(draw.sprite);
  }
  EXPECT_EQ(respawned.size(), 30u);
}

TEST(TumblerScene, SpritesMovingLeftAreMirroredAndAllKeepTheirColours) {
  Saver saver(Screen(1024, 768), KestrovaResourceModule_tumbler());
  tumbler::ScrAPI& scene = *saver.Scene();
  scene.spriteCount = 1;  // the picture shows sprite 0 alone, here on a level arc at (400, 300)
  scene.startTime[0] = 1000;
  scene.startX[0] = 400;
  scene.startY[0] = 300;
  scene.negDrop[0] = 0;
  scene.curvature[0] = 0.0;
  for (BYTE movingRight : {0, 1}) {
    SCOPED_TRACE(static_cast<int>(movingRight));
    scene.movingRight[0] = movingRight;
    saver.TickAt(1000);
    EXPECT_EQ(MismatchesOfSpriteAt(saver, scene.image, 400, 300, movingRight == 0, false), 0);
  }
}

}  // namespace
