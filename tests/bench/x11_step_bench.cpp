// Times the X11 program's step (the core's RunAnimationStep) in its own
// 800 x 600 window on a real X server, at the default settings and at the heaviest
// ones, against its floor: the same rectangles sent (MIT-SHM, as the step
// sends them) and waited for, with no composing and no motion. Both are
// timed until the server has drawn them. Counts the heap allocations of
// the timed steps, Xlib's included, and, unless --no-memory, compares the
// program's memory with a bare one-window Xlib program's. Reports, never
// fails on time.
//   x11_step_bench PROGRAM BARE_PROGRAM [--no-memory]
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "anim/sprite_field.h"
#include "anim/window_animation.h"
#include "settings/saver_settings.h"
#include "tests/bench/bench_steps.h"
#include "x11/drawing_window.h"
#include "x11/fps_overlay.h"
#include "x11/picture_transport.h"
#include "x11/step_clock.h"
#include "x11/x11_options.h"
#include "x11/x11_state.h"

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);

namespace {
unsigned long MallocCalls = 0;
}  // namespace

// Every allocation of the process, Xlib's too, is counted on its way.
extern "C" void* malloc(size_t size) {
  ++MallocCalls;
  return __libc_malloc(size);
}
extern "C" void* calloc(size_t count, size_t size) {
  ++MallocCalls;
  return __libc_calloc(count, size);
}
extern "C" void* realloc(void* block, size_t size) {
  ++MallocCalls;
  return __libc_realloc(block, size);
}

extern char** environ;

namespace {

const double StepPeriodMs = 100.0;
// The X11 program's step within twice its floor at the defaults, where the
// sending is tiny, and within 1.5 times at the worst case.
double X11FloorGoal(const BenchCase& c) { return c.isDefaults ? 2.0 : 1.5; }
const int MemoryRuns = 5;

double Milliseconds(std::chrono::steady_clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

// The rectangle a sprite's step sends: the union of its old and new
// squares, cut to the picture.
PictureRect SentRect(const SpriteState& before, const SpriteState& after, int32_t side) {
  const int32_t ox = int16_t(before.PosX >> 12), oy = int16_t(before.PosY >> 12);
  const int32_t nx = int16_t(after.PosX >> 12), ny = int16_t(after.PosY >> 12);
  return PictureRect{std::max(0, std::min(ox, nx)), std::max(0, std::min(oy, ny)),
                     std::min(WindowPicture.Width, std::max(ox, nx) + side),
                     std::min(WindowPicture.Height, std::max(oy, ny) + side)};
}

struct StepTimes {
  std::vector<double> step, floor;
  unsigned long mallocCalls = 0;
};

// Real steps, noting the rectangles they send in trace.
void RunSteps(std::vector<PictureRect>* trace, StepTimes* times) {
  const int32_t number = SaverSettings.Number;
  const int32_t side = SaverSettings.Zoom * 112;
  std::vector<SpriteState> before(static_cast<size_t>(number));
  for (int step = 0; step < StepsPerBlock; ++step) {
    std::copy(SpriteField.Sprites, SpriteField.Sprites + number, before.begin());
    const auto start = std::chrono::steady_clock::now();
    const unsigned long calls = MallocCalls;
    RunAnimationStep(MillisecondCount());
    times->mallocCalls += MallocCalls - calls;
    // Until the server has drawn it, as the floor is timed.
    FinishSending();
    times->step.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    for (int32_t i = 0; i < number; ++i) {
      (*trace)[static_cast<size_t>(step) * number + i] = SentRect(before[i], SpriteField.Sprites[i], side);
    }
  }
}

void RunFloor(const std::vector<PictureRect>& trace, StepTimes* times) {
  const int32_t number = SaverSettings.Number;
  for (int step = 0; step < StepsPerBlock; ++step) {
    const auto start = std::chrono::steady_clock::now();
    for (int32_t i = 0; i < number; ++i) SendPictureRect(trace[static_cast<size_t>(step) * number + i]);
    FinishSending();
    times->floor.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
  }
}

std::string Where() {
  char where[128];
  std::snprintf(where, sizeof where, "native X11 program, Xvfb %dx%d at depth %d, %s",
                WindowPicture.Width, WindowPicture.Height, X11State.depth,
                X11State.usesShm ? "MIT-SHM" : "XPutImage");
  return where;
}

bool Measure(const BenchCase& c) {
  const char* arguments[] = {"pennydance"};
  X11OptionsRecord options;
  char problem[128];
  ReadOptions(1, arguments, &options, problem, sizeof problem);
  options.settings.Zoom = c.zoom;
  options.settings.Number = c.number;
  options.settings.MoveSpeed = c.moveSpeed;
  int32_t width = 0, height = 0;
  const char* failure = OpenDrawingWindow(options, &WindowPicture.Format, &width, &height);
  if (failure == nullptr) {
    failure = StartWindowAnimation(options.settings, options.isPreview, width, height, MillisecondCount());
  }
  if (failure != nullptr) {
    std::printf("%s: %s\n", c.name, failure);
    return false;
  }
  OpenFpsOverlay(0);
  for (int i = 0; i < WarmUpSteps; ++i) {
    RunAnimationStep(MillisecondCount());
    FinishSending();
  }
  std::vector<PictureRect> trace(static_cast<size_t>(StepsPerBlock) * SaverSettings.Number);
  StepTimes times;
  RunBlocks([&] { RunSteps(&trace, &times); }, [&] { RunFloor(trace, &times); });
  const double stepMs = Percentile(times.step, 0.5), floorMs = Percentile(times.floor, 0.5);
  std::printf("%s, %s, %zu steps of each:\n", c.name, Where().c_str(), times.step.size());
  std::printf("  step:  %s\n", Spread(times.step).c_str());
  std::printf("  floor: %s\n", Spread(times.floor).c_str());
  std::printf("  heap allocations in the %zu timed steps: %lu\n", times.step.size(), times.mallocCalls);
  char goal[128], steps[64];
  std::snprintf(goal, sizeof goal, "<= %.1fx floor: %s; < %.0f ms step: %s", X11FloorGoal(c),
                stepMs / floorMs <= X11FloorGoal(c) ? "met" : "NOT met", StepPeriodMs,
                stepMs < StepPeriodMs ? "met" : "NOT met");
  PrintStepTableRow(Where().c_str(), c.settings, stepMs,
                    "floor: the same rectangles sent, no composing (x11_step_bench.cpp)", floorMs, goal);
  std::snprintf(steps, sizeof steps, "heap allocations in %zu steps (malloc calls, Xlib's too)",
                times.step.size());
  PrintAllocationRow(steps, Where().c_str(), c.settings, times.mallocCalls);
  CloseFpsOverlay();
  EndWindowAnimation();
  CloseDrawingWindow();
  return true;
}

// ---- Memory ------------------------------------------------------------------

// RssAnon + RssShmem (the picture's segment) of the process, in bytes.
long ResidentBytes(pid_t pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
  long bytes = 0;
  if (FILE* file = std::fopen(path, "r")) {
    char line[256];
    long kilobytes = 0;
    while (std::fgets(line, sizeof line, file)) {
      if (std::sscanf(line, "RssAnon: %ld kB", &kilobytes) == 1 ||
          std::sscanf(line, "RssShmem: %ld kB", &kilobytes) == 1) {
        bytes += kilobytes * 1024;
      }
    }
    std::fclose(file);
  }
  return bytes;
}

// Starts the program, lets it draw for a second and a half, reads its
// resident memory and ends it.
long PrivateAndSharedBytes(const char* program, const std::vector<const char*>& extra) {
  std::vector<char*> argv = {const_cast<char*>(program)};
  for (const char* argument : extra) argv.push_back(const_cast<char*>(argument));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program, nullptr, nullptr, argv.data(), environ) != 0) return -1;
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const long bytes = ResidentBytes(pid);
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  return bytes;
}

long MedianBytes(const char* program, const std::vector<const char*>& extra) {
  std::vector<double> runs;
  for (int i = 0; i < MemoryRuns; ++i) runs.push_back(static_cast<double>(PrivateAndSharedBytes(program, extra)));
  return static_cast<long>(Percentile(runs, 0.5));
}

void MeasureMemory(const char* program, const char* bare) {
  const long sheet = 14L * 401408 + 1064;  // 14 frame blocks and the colour table
  const long picture = 800L * 600 * 4;
  const long bareBytes = MedianBytes(bare, {});
  struct Row { const char* settings; std::vector<const char*> extra; };
  const Row rows[] = {{"defaults (Number 4, Zoom 1, MoveSpeed 8)", {}},
                      {"Number 256 (Zoom 1, MoveSpeed 8)", {"--number", "256"}}};
  for (const Row& row : rows) {
    const long ours = MedianBytes(program, row.extra);
    const long difference = ours - bareBytes;
    const bool met = std::labs(difference - (sheet + picture)) <= 1024 * 1024;
    std::printf("memory, %s: program %ld, bare window %ld, difference %+ld, sheet + picture %ld\n",
                row.settings, ours, bareBytes, difference, sheet + picture);
    char differenceText[48], goal[160];
    std::snprintf(differenceText, sizeof differenceText, "difference %+ld", difference);
    std::snprintf(goal, sizeof goal, "difference within 1 MB of sheet %ld + picture 800x600x4 = %ld: %s",
                  sheet, sheet + picture, met ? "met" : "NOT met");
    PrintTableRow("resident private + shared bytes (RssAnon + RssShmem) 1.5 s after start, median of 5",
                  "native X11 program, Xvfb 800x600 at depth 24", row.settings,
                  std::to_string(ours).c_str(), "bare one-window Xlib program (bare_x11_window.cpp)",
                  std::to_string(bareBytes).c_str(), differenceText, goal);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: x11_step_bench PROGRAM BARE_PROGRAM [--no-memory]\n");
    return 2;
  }
  bool measured = true;
  for (const BenchCase& c : BenchCases) measured = Measure(c) && measured;
  if (!(argc > 3 && std::strcmp(argv[3], "--no-memory") == 0)) MeasureMemory(argv[1], argv[2]);
  return measured ? 0 : 1;
}
