// Times one animation step (AnimationTick) on a real full-screen saver
// window, at the default settings and at the heaviest ones the dialog
// allows, against its floor: the same five GDI calls per sprite with the
// same rectangles and nothing else (gdi_floor.h), replayed in the same run
// from the poses the real steps went through. Real and floor steps take
// turns in blocks, so that a busy machine slows both alike. Then counts
// the heap blocks that 1,000 steps ask for. Reports, never fails on time.
// Thread CPU time under Wine moves in 10 ms clock ticks, so the medians are
// of wall time per step: single-threaded work that runs on the CPU.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "anim/anim_state.h"
#include "anim/sprite_field.h"
#include "anim/animation_life.h"
#include "anim/heap_block.h"
#include "anim/sprite_renderer.h"
#include "host/host_state.h"
#include "host/host_window_proc.h"
#include "settings/saver_settings.h"
#include "tests/bench/bench_settings.h"
#include "tests/bench/bench_steps.h"
#include "tests/bench/bench_stopwatch.h"
#include "tests/bench/gdi_floor.h"

namespace {

const int AllocationSteps = 1000;
const double DefaultsGoalMs = 0.5;

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

HWND OpenSaverWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    // The framework's procedure first, as in the saver: it notes where the
    // pointer is, so that the first mouse message does not end the run.
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "PennydanceTickBench";
    registered = RegisterClassA(&windowClass) != 0;
  }
  return CreateWindowExA(WS_EX_TOPMOST, "PennydanceTickBench", "Screen Saver",
                         WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

double ThreadCpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto toTicks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return (toTicks(kernel) + toTicks(user)) / 10000.0;  // 100 ns units
}

// The smallest step of the thread CPU clock; under Wine it follows the
// kernel's clock ticks, too coarse for one animation step.
double ThreadCpuGranularityMs() {
  const double start = ThreadCpuMilliseconds();
  double now = start;
  const DWORD give_up = GetTickCount() + 1000;
  while (now == start && GetTickCount() < give_up) now = ThreadCpuMilliseconds();
  return now - start;
}

void NotePoses(FloorPose* poses) {
  for (int32_t i = 0; i < SaverSettings.Number; ++i) {
    poses[i] = FloorPoseOf(SpriteField.Sprites[i], SpriteField.Sheet);
  }
}

struct StepTimes {
  std::vector<double> tick, floor;  // wall milliseconds per step
  double tickCpu = 0, floorCpu = 0; // thread CPU milliseconds, all steps
};

// Real steps, noting the poses they go through in trace.
void RunSteps(std::vector<FloorPose>* trace, StepTimes* times) {
  const int32_t number = SaverSettings.Number;
  Stopwatch watch;
  NotePoses(&(*trace)[0]);
  const double cpu = ThreadCpuMilliseconds();
  for (int step = 0; step < StepsPerBlock; ++step) {
    watch.Start();
    AnimationTick();
    times->tick.push_back(watch.ElapsedMs());
    NotePoses(&(*trace)[static_cast<size_t>(step + 1) * number]);
    // Between steps Wine hands the window's pixels to X, as in the saver's loop.
    DispatchWaitingMessages();
  }
  times->tickCpu += ThreadCpuMilliseconds() - cpu;
}

// The floor going through the poses of a trace.
void RunFloor(const FloorSurfaces& floor, const std::vector<FloorPose>& trace, StepTimes* times) {
  const int32_t number = SaverSettings.Number;
  Stopwatch watch;
  const double cpu = ThreadCpuMilliseconds();
  for (int step = 0; step < StepsPerBlock; ++step) {
    const FloorPose* before = &trace[static_cast<size_t>(step) * number];
    watch.Start();
    DrawFloorStep(floor, before, before + number, number);
    times->floor.push_back(watch.ElapsedMs());
    DispatchWaitingMessages();
  }
  times->floorCpu += ThreadCpuMilliseconds() - cpu;
}

// AllocateBlock calls made by the given number of steps.
uint32_t AllocationsOver(int steps) {
  const uint32_t before = HeapCounters.calls;
  for (int i = 0; i < steps; ++i) {
    AnimationTick();
    DispatchWaitingMessages();
  }
  return HeapCounters.calls - before;
}

std::string Where() {
  char where[96];
  std::snprintf(where, sizeof where, "x86_64 under Wine, %dx%d at %d bits per pixel",
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                AnimState.BitsPerPixel);
  return where;
}

void PrintStepRow(const BenchCase& c, const StepTimes& times) {
  const double tickMs = Percentile(times.tick, 0.5), floorMs = Percentile(times.floor, 0.5);
  char goal[96];
  const bool withinFloor = tickMs / floorMs <= FloorGoal;
  if (c.isDefaults) {
    const bool fast = tickMs < DefaultsGoalMs;
    std::snprintf(goal, sizeof goal, "<= %.1fx floor: %s; < %.1f ms: %s", FloorGoal,
                  withinFloor ? "met" : "NOT met", DefaultsGoalMs, fast ? "met" : "NOT met");
  } else {
    std::snprintf(goal, sizeof goal, "<= %.1fx floor: %s", FloorGoal,
                  withinFloor ? "met" : "NOT met");
  }
  PrintStepTableRow(Where().c_str(), c.settings, tickMs,
                    "floor: the same 5 GDI calls per sprite only (gdi_floor.cpp)", floorMs, goal);
}

bool Measure(const BenchCase& c, bool countAllocations) {
  WriteStoredSettings(BenchSettings(c.zoom, c.number, c.moveSpeed));
  HWND window = OpenSaverWindow();
  if (window == nullptr) {
    std::printf("%s: the saver window could not be created\n", c.name);
    return false;
  }
  KillTimer(window, AnimationTimerId);  // the steps run here, one at a time
  DispatchWaitingMessages();
  if (!IsWindow(window)) {
    std::printf("%s: the saver window went away at once\n", c.name);
    return false;
  }
  FloorSurfaces floor;
  const int32_t side = SaverSettings.Zoom * SpriteSide;
  BITMAP back = {};
  GetObjectA(AnimState.BackBitmap, sizeof back, &back);
  if (!OpenFloorSurfaces(AnimState.ScreenDC, back.bmWidth, SpriteField.Sheet.Header, side, &floor)) {
    std::printf("%s: the floor's surfaces could not be made\n", c.name);
    return false;
  }
  for (int i = 0; i < WarmUpSteps; ++i) {
    AnimationTick();
    DispatchWaitingMessages();
  }
  std::vector<FloorPose> trace(static_cast<size_t>(StepsPerBlock + 1) * SaverSettings.Number);
  StepTimes times;
  RunBlocks([&] { RunSteps(&trace, &times); }, [&] { RunFloor(floor, trace, &times); });
  const uint32_t allocations = countAllocations ? AllocationsOver(AllocationSteps) : 0;
  if (!IsWindow(window)) {
    std::printf("%s: the saver window went away during the steps\n", c.name);
    return false;
  }
  const int measured = Blocks * StepsPerBlock;
  std::printf("%s, %dx%d at %d bits per pixel, %d steps of each:\n", c.name,
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              AnimState.BitsPerPixel, measured);
  std::printf("  step:  %s, thread CPU %.3f ms/step\n", Spread(times.tick).c_str(),
              times.tickCpu / measured);
  std::printf("  floor: %s, thread CPU %.3f ms/step\n", Spread(times.floor).c_str(),
              times.floorCpu / measured);
  std::printf("  per sprite: step %.4f ms, floor %.4f ms\n",
              Percentile(times.tick, 0.5) / SaverSettings.Number,
              Percentile(times.floor, 0.5) / SaverSettings.Number);
  PrintStepRow(c, times);
  if (countAllocations) {
    std::printf("  heap allocations in %d steps: %u\n", AllocationSteps, allocations);
    PrintAllocationRow("heap allocations in 1,000 steps (HeapCounters.calls)", Where().c_str(),
                       c.settings, allocations);
  }
  CloseFloorSurfaces(&floor);
  DestroyWindow(window);
  DispatchWaitingMessages();
  return true;
}

}  // namespace

// With --no-allocations the allocation count is left out (it does not
// depend on the display, and a second display need not pay for it again).
int main(int argc, char** argv) {
  const bool countAllocations = !(argc > 1 && std::strcmp(argv[1], "--no-allocations") == 0);
  HostState.instance = GetModuleHandleA(nullptr);
  std::printf("thread CPU clock granularity: %.1f ms, so the medians are of wall time per step,\n"
              "which this CPU-bound, single-threaded work spends on the CPU\n",
              ThreadCpuGranularityMs());
  const std::vector<StoredSetting> storedBefore = ReadStoredSettings();
  bool measured = true;
  for (const BenchCase& c : BenchCases) measured = Measure(c, countAllocations) && measured;
  WriteStoredSettings(storedBefore);
  return measured ? 0 : 1;
}
