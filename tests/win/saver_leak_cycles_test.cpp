// A hundred saver windows in one process, full-screen and preview, each run
// to its end or refused by a failed allocation: after every one the GDI
// objects, the heap blocks and the timers are back where they started.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "anim/animation_life.h"
#include "anim/heap_block.h"
#include "host/host_state.h"
#include "host/saver_window.h"
#include "tests/support/anim_box_watcher.h"
#include "tests/support/anim_test_window.h"
#include "tests/support/gdi_object_count.h"
#include "tests/support/host_saver_run.h"
#include "tests/support/host_test_support.h"

namespace {

const int Cycles = 100;

struct CycleKind {
  std::string name;
  bool preview;
  uint32_t failingCall;  // 0: creation succeeds and the saver runs
};

struct Held {
  int32_t gdiObjects;
  int32_t liveBlocks;
  bool animationHeld;
  bool classRegistered;
};

Held WhatIsHeld() {
  WNDCLASSA registered = {};
  return Held{CountGdiObjects(), HeapCounters.liveBlocks, AnimationIsHeld(),
              GetClassInfoA(GetModuleHandleA(nullptr), SaverWindowClassName, &registered) !=
                  FALSE};
}

void DrainTimerMessages() {
  MSG drained;
  while (PeekMessageA(&drained, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
}

// A live timer of this thread, window or thread timer, sends its message
// within one and a half of the animation's periods; messages of timers that
// were killed after expiring are drained first. Empty when none fires, else
// which one did.
std::string TimerThatFires() {
  DrainTimerMessages();
  if (MsgWaitForMultipleObjects(0, nullptr, FALSE, AnimationTimerPeriod * 3 / 2, QS_TIMER) ==
      WAIT_TIMEOUT) {
    return "";
  }
  MSG fired = {};
  if (!PeekMessageA(&fired, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    return "";  // woken, but the message went with its killed timer
  }
  char text[96];
  std::snprintf(text, sizeof text, "timer %u of window %p", static_cast<unsigned>(fired.wParam),
                static_cast<void*>(fired.hwnd));
  return text;
}

class SaverLeakCycles : public ::testing::Test {
 protected:
  void SetUp() override {
    screenLock_ = hosttest::LockScreen();
    StartFromFreshSaverState();
    SetCursorPos(400, 300);
  }
  void TearDown() override {
    ClearSaverStateAfterTest();
    hosttest::UnlockScreen(screenLock_);
  }

  // One saver window from creation to destruction; a refused one shows its
  // message box, which the watcher dismisses. Returns the allocation calls
  // that the window's life made.
  uint32_t RunCycle(const CycleKind& kind) {
    HWND parent = kind.preview ? hosttest::CreatePlainWindow("display settings", 152, 112)
                               : nullptr;
    FailAllocationAt(kind.failingCall);
    StartWatchingMessageBoxes();
    const hosttest::SaverRunOutcome outcome = hosttest::RunSaverWithSteps(
        parent, {[](HWND) {}, [](HWND saver) {
                   if (saver != nullptr) DestroyWindow(saver);
                 }});
    const size_t boxes = StopWatchingMessageBoxes().size();
    const uint32_t calls = HeapCounters.calls;
    FailAllocationAt(0);
    if (parent != nullptr) DestroyWindow(parent);
    EXPECT_EQ(outcome.result, kind.failingCall == 0 ? 0 : SaverWindowNotCreated);
    EXPECT_EQ(boxes, kind.failingCall == 0 ? 0u : 1u);
    EXPECT_FALSE(outcome.watchdogFired);
    return calls;
  }

  HANDLE screenLock_ = nullptr;
};

TEST_F(SaverLeakCycles, HundredWindowsLeaveNothingBehind) {
  // The counts can see a leak: one bitmap more is one object more.
  HDC screen = GetDC(nullptr);
  const int32_t before = CountGdiObjects();
  ASSERT_GT(before, 0) << "no way to count GDI objects here";
  HBITMAP extra = CreateCompatibleBitmap(screen, 4, 4);
  EXPECT_EQ(CountGdiObjects(), before + 1);
  DeleteObject(extra);
  EXPECT_EQ(CountGdiObjects(), before);
  ReleaseDC(nullptr, screen);
  const UINT_PTR probeTimer = SetTimer(nullptr, 0, 20, nullptr);
  EXPECT_NE(TimerThatFires(), "");
  KillTimer(nullptr, probeTimer);
  DrainTimerMessages();

  // A run that succeeds tells how many blocks creation asks for; each of
  // them fails once in both modes.
  std::vector<CycleKind> kinds = {{"full screen", false, 0}, {"preview", true, 0}};
  const uint32_t creationCalls = RunCycle(kinds[0]);
  ASSERT_GT(creationCalls, 0u);
  for (uint32_t call = 1; call <= creationCalls; ++call) {
    kinds.push_back({"full screen, allocation " + std::to_string(call) + " fails", false, call});
    kinds.push_back({"preview, allocation " + std::to_string(call) + " fails", true, call});
  }
  // Once each first: the platform keeps some things (cached DCs, the message
  // box's resources) from its first use on.
  for (const CycleKind& kind : kinds) RunCycle(kind);
  const Held start = WhatIsHeld();
  EXPECT_FALSE(start.animationHeld);
  EXPECT_FALSE(start.classRegistered);

  for (int cycle = 0; cycle < Cycles; ++cycle) {
    const CycleKind& kind = kinds[cycle % kinds.size()];
    SCOPED_TRACE("cycle " + std::to_string(cycle + 1) + ": " + kind.name);
    RunCycle(kind);
    const Held now = WhatIsHeld();
    ASSERT_EQ(now.gdiObjects, start.gdiObjects) << "GDI objects left";
    ASSERT_EQ(now.liveBlocks, start.liveBlocks) << "heap blocks left";
    ASSERT_FALSE(now.animationHeld);
    ASSERT_FALSE(now.classRegistered) << "the window class outlived its window";
    ASSERT_EQ(TimerThatFires(), "") << "a timer outlived its window";
    ASSERT_FALSE(IsWindow(HostState.saverWindow));
  }
  std::printf("%d cycles over %zu kinds; GDI objects %d, heap blocks %d throughout\n", Cycles,
              kinds.size(), start.gdiObjects, start.liveBlocks);
}

}  // namespace
