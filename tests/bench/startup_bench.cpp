// Start-up and memory of `pennydance.scr /s` against its floor, the bare
// one-window program (bare_window.cpp), in the same run on a warm prefix.
// This launcher covers the screen with a backdrop of its own colour, starts
// each program in turn and, while pumping its own messages (Wine puts
// pixels on the X screen only while a thread pumps), polls for the
// program's window and reads the screen until the first picture shows: for
// the bare program its black window covering the whole backdrop, for the
// saver the first pixel that is neither black nor backdrop. A second later
// it notes the program's private bytes and ends it. Settings are set for
// each saver run and put back at the end. Reports, never fails on
// time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/bench/bench_settings.h"
#include "tests/bench/bench_stopwatch.h"
#include "tests/bench/bench_table.h"
#include "tests/support/dialog_paths.h"
#include "tools/probe/private_bytes.h"

namespace {

const int Runs = 7;
const DWORD QuietMs = 300;  // after the backdrop is back, for the last program's teardown
const DWORD GiveUpMs = 20000;
const DWORD SettleMs = 1000;  // running before the memory is noted
// Not among the sheet's colours, so the saver's first picture cannot be
// mistaken for the backdrop.
const COLORREF BackdropColour = RGB(0x23, 0x45, 0x67);
const uint32_t BackdropPixel = 0x234567;
const double FirstStepMs = 100;  // the animation timer's period
const double StartUpAllowanceMs = 30;
const double MemoryAllowanceBytes = 1024.0 * 1024.0;
const double SheetBytes = 5619712 + 1064;  // 14 frame blocks and the colour table

struct Target {
  const char* name;
  std::string path;  // Windows path
  const char* className;
  const char* title;
  bool isSaver;
  int zoom, number, moveSpeed;
};

struct RunFigures {
  bool measured;
  double windowMs;   // process start to the window existing
  double pictureMs;  // process start to the first picture on the screen
  double privateBytes;
};

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    DispatchWaitingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

HWND OpenBackdrop() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = CreateSolidBrush(BackdropColour);
  windowClass.lpszClassName = "PennydanceStartupBackdrop";
  RegisterClassA(&windowClass);
  HWND backdrop = CreateWindowExA(0, windowClass.lpszClassName, "Backdrop", WS_POPUP | WS_VISIBLE,
                                  0, 0, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  if (backdrop != nullptr) UpdateWindow(backdrop);
  return backdrop;
}

// Every StripeStep-th row of the screen as 0x00RRGGBB words, read through
// the screen DC. A picture the size of one character crosses several of
// these rows, and reading the whole screen would take tens of milliseconds
// per look.
const int StripeStep = 16;

class ScreenReader {
 public:
  ScreenReader() {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    rows_ = (GetSystemMetrics(SM_CYSCREEN) + StripeStep - 1) / StripeStep;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -rows_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    screen_ = GetDC(nullptr);
    memory_ = CreateCompatibleDC(screen_);
    void* bits = nullptr;
    picture_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    kept_ = SelectObject(memory_, picture_);
    bits_ = static_cast<const uint32_t*>(bits);
  }
  ~ScreenReader() {
    SelectObject(memory_, kept_);
    DeleteObject(picture_);
    DeleteDC(memory_);
    ReleaseDC(nullptr, screen_);
  }
  void Read() {
    for (int row = 0; row < rows_; ++row) {
      BitBlt(memory_, 0, row, width_, 1, screen_, 0, row * StripeStep, SRCCOPY);
    }
    GdiFlush();
  }
  size_t Count(bool (*matches)(uint32_t pixel)) const {
    size_t count = 0;
    for (size_t p = 0; p < Pixels(); ++p) count += matches(bits_[p] & 0x00FFFFFFu);
    return count;
  }
  size_t Pixels() const { return static_cast<size_t>(width_) * rows_; }

 private:
  int width_, rows_;
  HDC screen_, memory_;
  HBITMAP picture_;
  HGDIOBJ kept_;
  const uint32_t* bits_;
};

bool IsBackdrop(uint32_t pixel) { return pixel == BackdropPixel; }
bool IsDrawn(uint32_t pixel) { return pixel != 0 && pixel != BackdropPixel; }

bool FirstPictureShows(const Target& target, const ScreenReader& screen) {
  return target.isSaver ? screen.Count(IsDrawn) > 0 : screen.Count(IsBackdrop) == 0;
}

// Waits until the backdrop covers the whole screen again.
bool BackdropShows(ScreenReader* screen) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 5000) {
    PumpFor(20);
    screen->Read();
    if (screen->Count(IsBackdrop) == screen->Pixels()) {
      PumpFor(QuietMs);
      return true;
    }
  }
  return false;
}

RunFigures RunOnce(const Target& target, ScreenReader* screen) {
  RunFigures figures = {false, -1, -1, -1};
  if (target.isSaver) {
    WriteStoredSettings(BenchSettings(target.zoom, target.number, target.moveSpeed));
  }
  if (!BackdropShows(screen)) {
    std::printf("%s: the backdrop does not cover the screen\n", target.name);
    return figures;
  }
  std::string commandLine = "\"" + target.path + "\"" + (target.isSaver ? " /s" : "");
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  Stopwatch watch;
  watch.Start();
  if (!CreateProcessA(target.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    std::printf("%s: could not start %s (error %lu)\n", target.name, target.path.c_str(),
                GetLastError());
    return figures;
  }
  while (watch.ElapsedMs() < GiveUpMs) {
    DispatchWaitingMessages();
    if (figures.windowMs < 0 && FindWindowA(target.className, target.title) != nullptr) {
      figures.windowMs = watch.ElapsedMs();
    }
    if (figures.windowMs >= 0) {
      screen->Read();
      if (FirstPictureShows(target, *screen)) {
        figures.pictureMs = watch.ElapsedMs();
        break;
      }
    }
    if (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1, QS_ALLINPUT) == WAIT_OBJECT_0) {
      std::printf("%s: the program ended by itself\n", target.name);
      break;
    }
  }
  if (figures.pictureMs >= 0) {
    PumpFor(SettleMs);
    SIZE_T privateBytes = 0;
    if (ReadPrivateBytes(process.hProcess, &privateBytes)) {
      figures.privateBytes = static_cast<double>(privateBytes);
    }
    figures.measured = true;
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return figures;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

struct Medians {
  double windowMs, pictureMs, privateBytes;
};

Medians MediansOf(const std::vector<RunFigures>& runs) {
  std::vector<double> window, picture, bytes;
  for (const RunFigures& run : runs) {
    if (!run.measured) continue;
    window.push_back(run.windowMs);
    picture.push_back(run.pictureMs);
    if (run.privateBytes >= 0) bytes.push_back(run.privateBytes);
  }
  return Medians{Median(window), Median(picture), Median(bytes)};
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

void PrintStartUpRows(const Medians& saver, const Medians& bare, const char* where) {
  const char* baseline = "bare window program (bare_window.cpp)";
  const char* settings = "defaults";
  PrintTableRow("start-up: process start to window existing, median of 7", where, settings,
                Format("%.1f ms", saver.windowMs).c_str(), baseline,
                Format("%.1f ms", bare.windowMs).c_str(),
                Format("%.2f", saver.windowMs / bare.windowMs).c_str(), "report only");
  const double allowed = bare.pictureMs + FirstStepMs + StartUpAllowanceMs;
  const std::string goal = Format("<= floor + 100 ms step + 30 ms = %.0f ms: ", allowed) +
                           (saver.pictureMs <= allowed ? "met" : "NOT met");
  PrintTableRow("start-up: process start to first picture on screen, median of 7", where,
                settings, Format("%.1f ms", saver.pictureMs).c_str(), baseline,
                Format("%.1f ms", bare.pictureMs).c_str(),
                Format("%.2f", saver.pictureMs / bare.pictureMs).c_str(), goal.c_str());
}

void PrintMemoryRow(const Target& target, const Medians& saver, const Medians& bare,
                    const char* where) {
  if (saver.privateBytes < 0 || bare.privateBytes < 0) {
    PrintTableRow("private bytes after start-up", where, target.name, "not reported by Wine",
                  "bare window program", "-", "-", "-");
    return;
  }
  const int bytesPerPixel = GetDeviceCaps(GetDC(nullptr), BITSPIXEL) / 8;
  const double backSide = target.zoom * (target.moveSpeed + 112.0);
  const double expected = SheetBytes + backSide * backSide * bytesPerPixel;
  const double difference = saver.privateBytes - bare.privateBytes;
  const bool within = difference >= expected - MemoryAllowanceBytes &&
                      difference <= expected + MemoryAllowanceBytes;
  char goal[160];
  std::snprintf(goal, sizeof goal,
                "difference within 1 MB of sheet %.0f + back bitmap %.0fx%.0fx%d = %.0f: %s",
                SheetBytes, backSide, backSide, bytesPerPixel, expected,
                within ? "met" : "NOT met");
  PrintTableRow("private bytes (PrivateUsage, under Wine PagefileUsage) 1 s after the first picture, median of 7", where,
                target.name, Format("%.0f", saver.privateBytes).c_str(),
                "bare window program (bare_window.cpp)", Format("%.0f", bare.privateBytes).c_str(),
                Format("difference %+.0f", difference).c_str(), goal);
}

}  // namespace

int main() {
  const std::vector<Target> targets = {
      {"bare window", WindowsPathOfUnixPath(BARE_WINDOW_PATH), "PennydanceBareWindow",
       "Bare Window", false, 0, 0, 0},
      {"defaults (Number 4, Zoom 1, MoveSpeed 8)", WindowsPathOfUnixPath(MODULE_PATH),
       "WindowsScreenSaverClass", "Screen Saver", true, 1, 4, 8},
      {"Number 256 (Zoom 1, MoveSpeed 8)", WindowsPathOfUnixPath(MODULE_PATH),
       "WindowsScreenSaverClass", "Screen Saver", true, 1, 256, 8},
  };
  const std::vector<StoredSetting> storedBefore = ReadStoredSettings();
  if (OpenBackdrop() == nullptr) {
    std::printf("the backdrop window could not be created\n");
    return 1;
  }
  ScreenReader screen;
  Stopwatch readTime;
  readTime.Start();
  for (int i = 0; i < 10; ++i) screen.Read();
  std::printf("one look at the screen takes %.1f ms (the polling's resolution)\n",
              readTime.ElapsedMs() / 10);

  // Runs take turns, each round starting with another program, so that a
  // busy machine and the last program's teardown slow every program alike.
  std::vector<std::vector<RunFigures>> runs(targets.size());
  for (int run = 0; run < Runs; ++run) {
    for (size_t k = 0; k < targets.size(); ++k) {
      const size_t t = (run + k) % targets.size();
      runs[t].push_back(RunOnce(targets[t], &screen));
    }
  }
  WriteStoredSettings(storedBefore);

  std::vector<Medians> medians;
  for (size_t t = 0; t < targets.size(); ++t) {
    medians.push_back(MediansOf(runs[t]));
    std::printf("%s:\n", targets[t].name);
    for (const RunFigures& figures : runs[t]) {
      std::printf("  window %7.1f ms  first picture %7.1f ms  private bytes %.0f\n",
                  figures.windowMs, figures.pictureMs, figures.privateBytes);
    }
    std::printf("  median: window %.1f ms, first picture %.1f ms, private bytes %.0f\n",
                medians[t].windowMs, medians[t].pictureMs, medians[t].privateBytes);
  }
  char where[96];
  std::snprintf(where, sizeof where, "x86_64 under Wine, warm prefix, %dx%d at %d bits per pixel",
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                GetDeviceCaps(GetDC(nullptr), BITSPIXEL));
  PrintStartUpRows(medians[1], medians[0], where);
  PrintMemoryRow(targets[1], medians[1], medians[0], where);
  PrintMemoryRow(targets[2], medians[2], medians[0], where);
  return 0;
}
