// The shell around both scenes: presentation, the failure path of WM_CREATE, the trace lines.
#include <gtest/gtest.h>

#include "flyby/scr_api.h"
#include "kestrova_resources/flyby.h"
#include "kestrova_resources/tumbler.h"
#include "kestrova_resources/tumbler_without_image.h"
#include "platform/posix/gdi_objects.h"
#include "tests/scenes/running_saver.h"
#include "tumbler/scr_api.h"

namespace {

using posix::PresentCall;

TEST(Shell, AScreenSizedWindowGetsAOneToOneCopyAndAnyOtherAStretch) {
  struct Case {
    const char* name;
    int screenWidth, screenHeight;
    RECT virtualScreen;
    int previewWidth, previewHeight;
    PresentCall call;
    int destWidth, destHeight;
  };
  const Case cases[] = {
      {"full screen", 1024, 768, {0, 0, 0, 0}, 0, 0, PresentCall::BitBlt, 1024, 768},
      {"two monitors", 1024, 768, {0, 0, 2048, 768}, 0, 0, PresentCall::StretchBlt, 2048, 768},
      {"preview", 1024, 768, {0, 0, 0, 0}, 200, 150, PresentCall::StretchBlt, 200, 150},
      {"preview one row short", 1024, 768, {0, 0, 0, 0}, 1024, 767, PresentCall::StretchBlt, 1024, 767},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    posix::headless::HeadlessConfig config = Screen(c.screenWidth, c.screenHeight);
    config.virtualScreen = c.virtualScreen;
    RunningSaver<flyby::ScrAPI> saver(config, KestrovaResourceModule_flyby(), c.previewWidth ? "/p" : "/s",
                                      c.previewWidth, c.previewHeight);
    ASSERT_NE(saver.Scene(), nullptr);
    saver.backend.ClearPresentations();
    saver.TickAt(10);
    ASSERT_EQ(saver.backend.Presentations().size(), 1u);
    const posix::PresentInfo& info = saver.backend.Presentations()[0].info;
    EXPECT_EQ(info.call, c.call);
    EXPECT_EQ(info.destWidth, c.destWidth);
    EXPECT_EQ(info.destHeight, c.destHeight);
    EXPECT_EQ(info.sourceWidth, c.screenWidth);
    EXPECT_EQ(info.sourceHeight, c.screenHeight);
  }
}

TEST(Shell, APreviewShowsTheWholeScreenScaledDown) {
  RunningSaver<tumbler::ScrAPI> saver(Screen(1000, 800), KestrovaResourceModule_tumbler(), "/p", 250, 200);
  ASSERT_NE(saver.Scene(), nullptr);
  for (DWORD t = 10; t <= 3000; t += 10) saver.TickAt(t);
  int lit = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 250; ++x) lit += saver.backend.PixelAt(saver.backend.SaverWindow(), x, y) != 0;
  EXPECT_GT(lit, 100);
  EXPECT_LT(lit, 250 * 200);
}

TEST(Shell, AWindowThatCannotBeMeasuredIsTakenToBeScreenSized) {
  RunningSaver<flyby::ScrAPI> saver(Screen(800, 600), KestrovaResourceModule_flyby());
  flyby::ScrAPI& scene = *saver.Scene();
  scene.ReadWindowSize(nullptr);
  EXPECT_EQ(scene.windowWidth, 800);
  EXPECT_EQ(scene.windowHeight, 600);
  EXPECT_TRUE(scene.IsFullSize());
}

struct RunResult {
  int exitCode;
  std::size_t presentations;
};

// Runs a whole saver program with "/s" until it ends on its own.
template <class ScrAPI>
RunResult RunToEnd(const posix::headless::HeadlessConfig& config, HMODULE resources) {
  posix::headless::HeadlessBackend backend(config);
  char program[] = "saver";
  char fullScreen[] = "/s";
  char* argv[] = {program, fullScreen, nullptr};
  const int exitCode = saverlib::RunScreenSaver(2, argv, RunningSaver<ScrAPI>::kCallbacks, resources, backend);
  return {exitCode, backend.Presentations().size()};
}

TEST(Shell, TheFrameTimerTicksEveryTenMillisecondsThroughTheMessageLoop) {
  {
    RunningSaver<flyby::ScrAPI> saver(Screen(320, 240), KestrovaResourceModule_flyby());
    EXPECT_EQ(shell::SaverShell<flyby::ScrAPI>::g_uTimerId, shell::kFrameTimerId);
    EXPECT_EQ(shell::kFrameTimerId, 0x7FFFu);
  }
  posix::headless::HeadlessBackend backend(Screen(320, 240, 5000));
  backend.SetEndTime(6005);  // a second of the real loop, then the display goes away
  char program[] = "flyby";
  char fullScreen[] = "/s";
  char* argv[] = {program, fullScreen, nullptr};
  EXPECT_EQ(saverlib::RunScreenSaver(2, argv, RunningSaver<flyby::ScrAPI>::kCallbacks, KestrovaResourceModule_flyby(),
                                     backend),
            0);
  const auto& frames = backend.Presentations();
  ASSERT_EQ(frames.size(), 100u) << "frames at 5010, 5020, ..., 6000";
  for (std::size_t k = 0; k < frames.size(); ++k) EXPECT_EQ(frames[k].time, 5010u + 10u * k) << k;
}

TEST(Shell, AScreenNoBackBufferCanBeMadeForEndsTheSaverWithoutAFrame) {
  for (const auto& size : {std::pair{0, 768}, std::pair{1024, 0}, std::pair{40000, 10}}) {
    SCOPED_TRACE(size.first);
    const RunResult result = RunToEnd<flyby::ScrAPI>(Screen(size.first, size.second), KestrovaResourceModule_flyby());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.presentations, 0u);
    EXPECT_EQ(shell::SaverShell<flyby::ScrAPI>::g_lpcScrAPI, nullptr);
  }
  posix::SetDibSectionRefusal(true);
  const RunResult refused = RunToEnd<flyby::ScrAPI>(Screen(1024, 768), KestrovaResourceModule_flyby());
  posix::SetDibSectionRefusal(false);
  EXPECT_EQ(refused.exitCode, 0);
  EXPECT_EQ(refused.presentations, 0u);
}

TEST(Shell, TumblerWithoutItsImageEndsWithoutAFrameAndTracesBothLines) {
  testing::internal::CaptureStderr();
  const RunResult result = RunToEnd<tumbler::ScrAPI>(Screen(1024, 768), KestrovaResourceModule_tumbler_without_image());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.presentations, 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "new g_lpcScrAPI\ndelete g_lpcScrAPI\n");
}

TEST(Shell, ASecondDestroyAfterAFailedStartFreesNothingTwice) {
  posix::SetDibSectionRefusal(true);
  {
    RunningSaver<tumbler::ScrAPI> saver(Screen(1024, 768), KestrovaResourceModule_tumbler());
    posix::SetDibSectionRefusal(false);
    ASSERT_NE(saver.Window(), nullptr) << "window creation is not refused";
    EXPECT_EQ(saver.Scene(), nullptr);
    testing::internal::CaptureStderr();
    SendMessageA(saver.Window(), WM_DESTROY, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "delete g_lpcScrAPI\n");
    EXPECT_EQ(saver.Scene(), nullptr);
    EXPECT_EQ(shell::SaverShell<tumbler::ScrAPI>::g_uTimerId, 0u);
  }
  posix::SetDibSectionRefusal(false);
}

TEST(Shell, TumblerTracesItsSceneAroundARunAndFlybyTracesNothing) {
  testing::internal::CaptureStderr();
  {
    RunningSaver<tumbler::ScrAPI> saver(Screen(640, 480), KestrovaResourceModule_tumbler());
    ASSERT_NE(saver.Scene(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "new g_lpcScrAPI\n");
    testing::internal::CaptureStderr();
    saver.TickAt(10);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "delete g_lpcScrAPI\n");

  testing::internal::CaptureStderr();
  {
    RunningSaver<flyby::ScrAPI> saver(Screen(640, 480), KestrovaResourceModule_flyby());
    saver.TickAt(10);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
