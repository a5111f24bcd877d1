// Times the core's step alone (the motion and the composing into a picture
// in memory, nothing sent anywhere) at the default settings and at the
// heaviest ones, in an 800 x 600 picture of the page's pixel format, in
// processor time, which a loaded machine disturbs less than the wall clock,
// so that the composing's own speed is seen apart from any display. Prints
// a checksum of the last picture: builds that compose alike print the same.
// Reports, never fails on time.
//   compose_bench [defaults|worst case]
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "anim/heap_block.h"
#include "anim/window_animation.h"
#include "settings/saver_settings.h"
#include "tests/bench/bench_steps.h"

namespace {

int64_t SentPixels = 0;

double Milliseconds(std::chrono::steady_clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

// The thread's own processor time, which other programs' load on a shared
// machine disturbs less than the wall clock.
double ThreadMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

const char* Build() { return PICTURE_ROW_VECTORS ? "vector bodies" : "plain bodies"; }

}  // namespace

bool CreatePicture(int32_t width, int32_t height) {
  DescribeTrueColour(32, 32, 0x0000FFu, 0x00FF00u, 0xFF0000u, &WindowPicture.Format);
  WindowPicture.Pixels = static_cast<uint8_t*>(AllocateBlock(static_cast<size_t>(width) * height * 4));
  if (WindowPicture.Pixels == nullptr) return false;
  WindowPicture.Width = width;
  WindowPicture.Height = height;
  WindowPicture.Stride = width * 4;
  FillWindowPicture(0);
  return true;
}

void DestroyPicture() {
  ReleaseBlock(WindowPicture.Pixels);
  WindowPicture.Pixels = nullptr;
}

void SendPictureRect(const PictureRect& rect) {
  SentPixels += static_cast<int64_t>(rect.right - rect.left) * (rect.bottom - rect.top);
}

int main(int argc, char** argv) {
  for (const BenchCase& c : BenchCases) {
    if (argc > 1 && std::strcmp(argv[1], c.name) != 0) continue;
    const SaverSettingsRecord settings{c.zoom, c.number, c.moveSpeed, 16, 16, 48};
    const char* failure = StartWindowAnimation(settings, 0, 800, 600, 1234);
    if (failure != nullptr) {
      std::printf("%s: %s\n", c.name, failure);
      return 1;
    }
    uint32_t seed = 5678;
    for (int i = 0; i < WarmUpSteps; ++i) RunAnimationStep(seed += 100);
    std::vector<double> steps, processor;
    SentPixels = 0;
    for (int i = 0; i < Blocks * StepsPerBlock; ++i) {
      const auto start = std::chrono::steady_clock::now();
      const double startProcessor = ThreadMilliseconds();
      RunAnimationStep(seed += 100);
      processor.push_back(ThreadMilliseconds() - startProcessor);
      steps.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }
    std::printf("%s, %s, %lld pixels sent a step:\n  wall clock: %s\n  processor:  %s\n", Build(), c.settings,
                static_cast<long long>(SentPixels / static_cast<int64_t>(steps.size())), Spread(steps).c_str(),
                Spread(processor).c_str());
    uint32_t sum = 2166136261u;  // FNV-1a of the last picture: the builds draw alike
    for (int32_t i = 0; i < WindowPicture.Height * WindowPicture.Stride; ++i) {
      sum = (sum ^ WindowPicture.Pixels[i]) * 16777619u;
    }
    std::printf("  picture after the last step: %08x\n", sum);
    EndWindowAnimation();
  }
  return 0;
}
