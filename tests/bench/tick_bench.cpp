// Times one animation step (AnimationTick) on a real full-screen saver
// window: at the default settings and at the heaviest ones the dialog
// allows. Prints the wall time per step (median and spread) and the
// thread's CPU time per step; reports, never fails on time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "anim/anim_state.h"
#include "anim/animation_life.h"
#include "anim/sprite_renderer.h"
#include "host/host_state.h"
#include "host/host_window_proc.h"
#include "settings/saver_settings.h"

namespace {

const char SettingsKeyPath[] = "Software\\Orvalex\\Pennydance";
const int WarmUpSteps = 20;
const int MeasuredSteps = 400;

struct BenchCase {
  const char* name;
  int32_t zoom, number, moveSpeed;
};

const BenchCase BenchCases[] = {
    {"defaults (4 sprites, Zoom 1, MoveSpeed 8)", 1, 4, 8},
    {"worst case (256 sprites, Zoom 2, MoveSpeed 256)", 2, 256, 256},
};

// The stored settings as they were, to be put back afterwards.
struct StoredSetting {
  bool present;
  DWORD value;
};

std::vector<StoredSetting> ReadStoredSettings() {
  std::vector<StoredSetting> stored(SettingCount, StoredSetting{false, 0});
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return stored;
  }
  for (int i = 0; i < SettingCount; ++i) {
    DWORD size = sizeof stored[i].value;
    stored[i].present = RegQueryValueExA(key, SettingTable[i].name, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&stored[i].value),
                                         &size) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return stored;
}

void WriteStoredSettings(const std::vector<StoredSetting>& stored) {
  const bool any = std::any_of(stored.begin(), stored.end(),
                               [](const StoredSetting& setting) { return setting.present; });
  if (!any) {  // there was no key before either
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
    return;
  }
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (int i = 0; i < SettingCount; ++i) {
    if (stored[i].present) {
      RegSetValueExA(key, SettingTable[i].name, 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&stored[i].value), sizeof stored[i].value);
    } else {
      RegDeleteValueA(key, SettingTable[i].name);
    }
  }
  RegCloseKey(key);
}

std::vector<StoredSetting> SettingsOf(const BenchCase& c) {
  std::vector<StoredSetting> stored(SettingCount, StoredSetting{false, 0});
  stored[0] = {true, static_cast<DWORD>(c.zoom)};
  stored[1] = {true, static_cast<DWORD>(c.number)};
  stored[2] = {true, static_cast<DWORD>(c.moveSpeed)};
  return stored;
}

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

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(fraction * (values.size() - 1))];
}

bool Measure(const BenchCase& c) {
  WriteStoredSettings(SettingsOf(c));
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
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < WarmUpSteps; ++i) {
    AnimationTick();
    DispatchWaitingMessages();
  }
  std::vector<double> wall;
  double cpu = 0;
  for (int i = 0; i < MeasuredSteps; ++i) {
    const double cpuBefore = ThreadCpuMilliseconds();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    AnimationTick();
    QueryPerformanceCounter(&end);
    cpu += ThreadCpuMilliseconds() - cpuBefore;
    wall.push_back(1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart);
    // Between steps Wine hands the window's pixels to X, as in the saver's loop.
    DispatchWaitingMessages();
    if (!IsWindow(window)) {
      std::printf("%s: the saver window went away after %d steps\n", c.name, i + 1);
      return false;
    }
  }
  std::printf("%s, %dx%d at %d bits per pixel, %d steps:\n", c.name,
              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              AnimState.BitsPerPixel, MeasuredSteps);
  std::printf("  wall time per step: median %.3f ms (10%% %.3f, 90%% %.3f, max %.3f)\n",
              Percentile(wall, 0.5), Percentile(wall, 0.1), Percentile(wall, 0.9),
              Percentile(wall, 1.0));
  std::printf("  thread CPU time per step: %.3f ms on average\n", cpu / MeasuredSteps);
  std::printf("  per sprite: median %.4f ms\n", Percentile(wall, 0.5) / SaverSettings.Number);
  DestroyWindow(window);
  DispatchWaitingMessages();
  return true;
}

}  // namespace

int main() {
  HostState.instance = GetModuleHandleA(nullptr);
  const std::vector<StoredSetting> storedBefore = ReadStoredSettings();
  bool measured = true;
  for (const BenchCase& c : BenchCases) measured = Measure(c) && measured;
  WriteStoredSettings(storedBefore);
  return measured ? 0 : 1;
}
