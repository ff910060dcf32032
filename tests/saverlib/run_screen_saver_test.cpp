// The POSIX entry point end to end on the headless back end, with the tests' own tiny saver.
#include "saverlib/posix/run_screen_saver.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/posix/active_backend.h"
#include "platform/posix/gdi_objects.h"
#include "platform/posix/headless/headless_backend.h"
#include "tests/saverlib/test_saver.h"

namespace {

using posix::headless::HeadlessBackend;
using posix::headless::HeadlessConfig;
using posix::headless::WindowKind;
using test_saver::TheLog;

HINSTANCE TestInstance() { return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x5A5A0)); }

HeadlessConfig SmallScreen() {
  HeadlessConfig config;
  config.screenWidth = 64;
  config.screenHeight = 48;
  config.pointer = POINT{10, 10};
  return config;
}

class EntryPoint : public ::testing::Test {
 protected:
  EntryPoint() { test_saver::Reset(); }
  ~EntryPoint() override {
    posix::SetDibSectionRefusal(false);
    test_saver::Reset();
  }

  // Runs the saver with `arguments` as its command line (split at spaces, as a shell would).
  int Run(HeadlessBackend& backend, const std::string& arguments) {
    std::vector<std::string> words{"saver"};
    std::string word;
    for (const char c : arguments + ' ') {
      if (c == ' ') {
        if (!word.empty()) {
          words.push_back(word);
        }
        word.clear();
      } else {
        word += c;
      }
    }
    std::vector<char*> argv;
    for (std::string& w : words) {
      argv.push_back(w.data());
    }
    argv.push_back(nullptr);
    return saverlib::RunScreenSaver(static_cast<int>(words.size()), argv.data(), test_saver::Callbacks(),
                                    TestInstance(), backend);
  }
};

struct NoSaverCase {
  const char* arguments;
  int registerDialogClassesCalls;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const NoSaverCase& c, std::ostream* out) { *out << "[" << c.arguments << "]"; }


class ModesWithoutSaver : public EntryPoint, public ::testing::WithParamInterface<NoSaverCase> {};

TEST_P(ModesWithoutSaver, EndWithMinusOneAndMakeNoWindow) {
  HeadlessBackend backend(SmallScreen());
  backend.SetEndTime(1000);
  const posix::NativeWindow foreign = backend.CreateForeignWindow(40, 30);
  std::string arguments = GetParam().arguments;
  const auto placeholder = arguments.find("FOREIGN+1");
  if (placeholder != std::string::npos) {
    arguments.replace(placeholder, 9, std::to_string(foreign + 1));  // an id that names no window
  }
  EXPECT_EQ(Run(backend, arguments), -1) << arguments;
  EXPECT_EQ(TheLog().registerDialogClassesCalls, GetParam().registerDialogClassesCalls) << arguments;
  EXPECT_TRUE(TheLog().messages.empty()) << arguments;
  EXPECT_EQ(backend.SaverWindow(), 0u) << arguments;
  EXPECT_EQ(g_hMainInstance, TestInstance());
}

INSTANTIATE_TEST_SUITE_P(Switches, ModesWithoutSaver,
                         ::testing::Values(NoSaverCase{"", 1}, NoSaverCase{"/c", 1}, NoSaverCase{"-C:4711", 1},
                                           NoSaverCase{"/a 12", 0}, NoSaverCase{"/x", 0}, NoSaverCase{"/p 0", 0},
                                           NoSaverCase{"/p", 0}, NoSaverCase{"/p FOREIGN+1", 0},
                                           NoSaverCase{"/l 123456789012345678901234567890", 0}));

TEST_F(EntryPoint, FullScreenCoversTheVirtualScreenAndStretchesTheBufferOverIt) {
  HeadlessConfig config = SmallScreen();
  config.virtualScreen = RECT{-32, -8, 64, 48};  // a second monitor left of and above the primary one
  HeadlessBackend backend(config);
  backend.SetEndTime(35);
  EXPECT_EQ(Run(backend, "/s"), 0);

  EXPECT_EQ(TheLog().ticks, (std::vector<DWORD>{10, 20, 30}));
  EXPECT_EQ(test_saver::Count(WM_DESTROY), 1);
  ASSERT_FALSE(backend.Presentations().empty());
  const posix::headless::PresentRecord& shown = backend.Presentations().back();
  EXPECT_EQ(shown.info.call, posix::PresentCall::StretchBlt);
  EXPECT_EQ(shown.info.destWidth, 96);
  EXPECT_EQ(shown.info.destHeight, 56);
  EXPECT_EQ(shown.info.sourceWidth, 64);
  EXPECT_EQ(shown.info.sourceHeight, 48);
  EXPECT_TRUE(backend.Windows().empty());  // the run took its window with it
}

TEST_F(EntryPoint, FullScreenWindowIsTheSaverWindowWithHiddenPointer) {
  HeadlessBackend backend(SmallScreen());
  const saverlib::SaverStart start =
      saverlib::StartScreenSaver(saverlib::ParseSaverCommandLine("/s"), test_saver::Callbacks(), TestInstance(),
                                 backend);
  ASSERT_NE(start.window, nullptr);
  const std::vector<posix::headless::WindowInfo> windows = backend.Windows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].kind, WindowKind::FullScreen);
  EXPECT_EQ(windows[0].title, "Screen Saver");
  EXPECT_TRUE(windows[0].pointerHidden);
  EXPECT_EQ(windows[0].rect.right, 64);
  EXPECT_EQ(windows[0].rect.bottom, 48);

  // The library answers WM_SETTEXT itself, and swallows the system's screen-saver command.
  EXPECT_EQ(SendMessageA(start.window, WM_SETTEXT, 0, 0), FALSE);
  EXPECT_EQ(SendMessageA(start.window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), FALSE);
  EXPECT_EQ(test_saver::Count(WM_SETTEXT), 0);
  EXPECT_EQ(test_saver::Count(WM_SYSCOMMAND), 0);

  // The window is a 1:1 copy of the screen-sized buffer.
  backend.TickTimersAt(10);
  ASSERT_EQ(backend.Presentations().size(), 1u);
  EXPECT_EQ(backend.Presentations()[0].info.call, posix::PresentCall::BitBlt);

  DestroyWindow(start.window);
  EXPECT_EQ(saverlib::RunMessageLoop(), 0);
  saverlib::EndScreenSaver();
  EXPECT_EQ(posix::ActiveBackend(), nullptr);
}

TEST_F(EntryPoint, PreviewFillsItsParentIgnoresInputAndEndsWhenTheParentGoes) {
  HeadlessBackend backend(SmallScreen());
  backend.SetEndTime(10000);
  const posix::NativeWindow parent = backend.CreateForeignWindow(152, 112, 300, 200);
  backend.InjectKeyPress(30, parent + 1);  // the preview is the next window made
  backend.InjectButtonPress(35, parent + 1, posix::MouseButton::Left, 1, 1);
  backend.InjectPointerMotion(40, parent + 1, 150, 110);
  backend.InjectFocusLost(45, parent + 1);
  backend.InjectDestroy(100, parent);

  EXPECT_EQ(Run(backend, "/p " + std::to_string(parent)), 0);
  EXPECT_EQ(TheLog().ticks.back(), 90u);  // ran on through the input, until the parent went at 100
  EXPECT_EQ(test_saver::Count(WM_KEYDOWN), 1);
  EXPECT_EQ(test_saver::Count(WM_DESTROY), 1);
  ASSERT_FALSE(backend.Presentations().empty());
  const posix::PresentInfo& info = backend.Presentations().back().info;
  EXPECT_EQ(info.call, posix::PresentCall::StretchBlt);
  EXPECT_EQ(info.destWidth, 152);
  EXPECT_EQ(info.destHeight, 112);
}

TEST_F(EntryPoint, PreviewWindowIsAChildTitledPreviewOverTheParentsClientArea) {
  HeadlessBackend backend(SmallScreen());
  const posix::NativeWindow parent = backend.CreateForeignWindow(152, 112, 300, 200);
  saverlib::SaverCommand command;
  command.mode = saverlib::SaverMode::Preview;
  command.handle = parent;
  const saverlib::SaverStart start =
      saverlib::StartScreenSaver(command, test_saver::Callbacks(), TestInstance(), backend);
  ASSERT_NE(start.window, nullptr);
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(start.window, &rect));
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 200);
  EXPECT_EQ(rect.right, 452);
  EXPECT_EQ(rect.bottom, 312);
  const posix::headless::WindowInfo info = backend.Windows().back();
  EXPECT_EQ(info.title, "Preview");
  EXPECT_EQ(info.parent, parent);
  // Not even the monitor-power command closes a preview.
  SendMessageA(start.window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  EXPECT_TRUE(IsWindow(start.window));
  DestroyWindow(start.window);
  EXPECT_EQ(saverlib::RunMessageLoop(), 0);
  saverlib::EndScreenSaver();
}

TEST_F(EntryPoint, AMoveOfFourPixelsKeepsRunningAndOfFiveCloses) {
  HeadlessBackend backend(SmallScreen());  // the pointer starts at (10, 10)
  backend.SetEndTime(1000);
  const posix::NativeWindow window = 0x400001;  // the first window the back end makes
  backend.InjectPointerMotion(50, window, 12, 12);
  backend.InjectPointerMotion(60, window, 14, 10);
  backend.InjectPointerMotion(100, window, 15, 10);
  EXPECT_EQ(Run(backend, "/s"), 0);
  EXPECT_EQ(test_saver::Count(WM_MOUSEMOVE), 3);
  ASSERT_FALSE(TheLog().ticks.empty());
  EXPECT_GE(TheLog().ticks.back(), 90u);
  EXPECT_LE(TheLog().ticks.back(), 100u);
  EXPECT_EQ(test_saver::Count(WM_DESTROY), 1);
}

struct CloseCase {
  const char* name;
  void (*inject)(HeadlessBackend&, posix::NativeWindow);
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.name; }


class CloseOnInput : public EntryPoint, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseOnInput, EndsTheFullScreenSaverWithZero) {
  HeadlessBackend backend(SmallScreen());
  backend.SetEndTime(1000);
  GetParam().inject(backend, 0x400001);
  EXPECT_EQ(Run(backend, "/s"), 0) << GetParam().name;
  ASSERT_FALSE(TheLog().ticks.empty()) << GetParam().name;
  EXPECT_LE(TheLog().ticks.back(), 50u) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CloseOnInput,
    ::testing::Values(
        CloseCase{"key", [](HeadlessBackend& b, posix::NativeWindow w) { b.InjectKeyPress(50, w); }},
        CloseCase{"left", [](HeadlessBackend& b,
                             posix::NativeWindow w) { b.InjectButtonPress(50, w, posix::MouseButton::Left, 10, 10); }},
        CloseCase{"right",
                  [](HeadlessBackend& b, posix::NativeWindow w) {
                    b.InjectButtonPress(50, w, posix::MouseButton::Right, 10, 10);
                  }},
        CloseCase{"middle",
                  [](HeadlessBackend& b, posix::NativeWindow w) {
                    b.InjectButtonPress(50, w, posix::MouseButton::Middle, 10, 10);
                  }},
        CloseCase{"focus lost", [](HeadlessBackend& b, posix::NativeWindow w) { b.InjectFocusLost(50, w); }},
        CloseCase{"window destroyed", [](HeadlessBackend& b, posix::NativeWindow w) { b.InjectDestroy(50, w); }},
        CloseCase{"connection lost", [](HeadlessBackend& b, posix::NativeWindow) { b.InjectConnectionLost(50); }}));

TEST_F(EntryPoint, TheMonitorPowerCommandClosesAFullScreenSaver) {
  HeadlessBackend backend(SmallScreen());
  const saverlib::SaverStart start =
      saverlib::StartScreenSaver(saverlib::ParseSaverCommandLine("/s"), test_saver::Callbacks(), TestInstance(),
                                 backend);
  ASSERT_NE(start.window, nullptr);
  SendMessageA(start.window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  EXPECT_EQ(saverlib::RunMessageLoop(), 0);
  EXPECT_FALSE(IsWindow(start.window));
  EXPECT_TRUE(TheLog().ticks.empty());
  saverlib::EndScreenSaver();
}

TEST_F(EntryPoint, ASecondFullScreenSaverRaisesTheFirstAndEndsWithZero) {
  HeadlessBackend backend(SmallScreen());
  backend.SimulateExistingSaverWindow(true);
  EXPECT_EQ(Run(backend, "/s"), 0);
  EXPECT_EQ(backend.RaisedSaverWindowCount(), 1);
  EXPECT_TRUE(TheLog().messages.empty());
  EXPECT_TRUE(backend.Windows().empty());
}

TEST_F(EntryPoint, ASaverWhoseCreationFailsEndsWithZeroWithoutATick) {
  // With an end time, and without one (the back end then reports its connection lost as soon as the loop asks:
  // the quit that the failed creation posted must end the run before that destroys the window a second time).
  for (const bool withEndTime : {true, false}) {
    test_saver::Reset();
    HeadlessBackend backend(SmallScreen());
    if (withEndTime) {
      backend.SetEndTime(1000);
    }
    posix::SetDibSectionRefusal(true);  // the back buffer cannot be made
    EXPECT_EQ(Run(backend, "/s"), 0) << withEndTime;
    posix::SetDibSectionRefusal(false);
    EXPECT_TRUE(TheLog().ticks.empty()) << withEndTime;
    EXPECT_TRUE(backend.Presentations().empty()) << withEndTime;
    EXPECT_EQ(test_saver::Count(WM_DESTROY), 1) << withEndTime;  // only the one the saver sent itself
    EXPECT_EQ(backend.TickCount(), 0u) << withEndTime;           // ended at once, not at the end time
    EXPECT_TRUE(backend.Windows().empty()) << withEndTime;
  }
}

TEST_F(EntryPoint, AScreenWithoutSizeStillGetsAWindowAndTheSaverDecides) {
  HeadlessConfig config = SmallScreen();
  config.screenWidth = 0;
  HeadlessBackend backend(config);
  backend.SetEndTime(1000);
  EXPECT_EQ(Run(backend, "/s"), 0);  // the saver's zero-width back buffer fails: it ends itself
  EXPECT_EQ(test_saver::Count(WM_CREATE), 1);
  EXPECT_TRUE(TheLog().ticks.empty());
}

TEST_F(EntryPoint, AWindowRefusedByItsCreateMessageEndsWithMinusOne) {
  HeadlessBackend backend(SmallScreen());
  backend.SetEndTime(1000);
  TheLog().createAnswersMinusOne = true;
  EXPECT_EQ(Run(backend, "/s"), -1);
  EXPECT_TRUE(backend.Windows().empty());
  EXPECT_TRUE(TheLog().ticks.empty());
}

TEST(JoinArguments, JoinsEverythingAfterTheProgramNameWithSpaces) {
  char program[] = "flyby";
  char first[] = "/p";
  char second[] = "1234";
  char* argv[] = {program, first, second, nullptr};
  EXPECT_EQ(saverlib::JoinArguments(3, argv), "/p 1234");
  EXPECT_EQ(saverlib::JoinArguments(1, argv), "");
  EXPECT_EQ(saverlib::JoinArguments(0, nullptr), "");
}

}  // namespace
