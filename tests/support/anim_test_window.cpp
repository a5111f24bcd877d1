#ifdef _WIN32
#include "tests/support/anim_test_window.h"

#include <map>

#include "anim/anim_state.h"
#include "anim/sprite_field.h"
#include "anim/heap_block.h"
#include "host/host_state.h"
#include "tests/support/dialog_paths.h"
#include "tests/support/dialog_png_file.h"
#include "tests/support/settings_registry.h"

WNDPROC AnimTestTarget = DefWindowProcA;
HWND AnimTestWindow = nullptr;

namespace {

const char AnimTestClassName[] = "PennydanceAnimTestClass";
std::map<UINT, uint32_t> MessageCounts;

LRESULT CALLBACK AnimTestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    AnimTestWindow = window;
  }
  MessageCounts[message]++;
  return AnimTestTarget(window, message, wParam, lParam);
}

void RegisterAnimTestClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
  windowClass.lpfnWndProc = AnimTestWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = AnimTestClassName;
  registered = RegisterClassA(&windowClass) != 0;
}

}  // namespace

uint32_t AnimTestMessageCount(UINT message) {
  auto found = MessageCounts.find(message);
  return found == MessageCounts.end() ? 0 : found->second;
}

void ResetAnimTestMessageCounts() {
  MessageCounts.clear();
}

HWND CreateAnimTestWindow(int width, int height, WNDPROC target, bool visible) {
  RegisterAnimTestClass();
  AnimTestTarget = target;
  AnimTestWindow = nullptr;
  const DWORD style =
      WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  HWND window = CreateWindowExA(WS_EX_TOPMOST, AnimTestClassName, "Screen Saver", style, 0, 0,
                                width, height, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  if (window != nullptr && visible) UpdateWindow(window);
  return window;
}

HWND CreateAnimTestChild(HWND parent, WNDPROC target) {
  RegisterAnimTestClass();
  AnimTestTarget = target;
  AnimTestWindow = nullptr;
  RECT client = {0, 0, 0, 0};
  GetClientRect(parent, &client);
  HWND window = CreateWindowExA(0, AnimTestClassName, "Preview",
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right,
                                client.bottom, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr) UpdateWindow(window);
  return window;
}

bool PumpMessagesFor(DWORD milliseconds, WPARAM* quitCode) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        if (quitCode != nullptr) *quitCode = message.wParam;
        return false;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
      // A step that outlasts the timer's period finds the next WM_TIMER
      // due already, so the queue never runs dry (256 characters in a
      // hidden window under qemu-user pumped for over half an hour).
      if (message.message == WM_TIMER && GetTickCount() - start >= milliseconds) return true;
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

bool TakeQuitMessage(WPARAM* quitCode) {
  MSG message;
  if (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    if (quitCode != nullptr) *quitCode = message.wParam;
    return true;
  }
  return false;
}

std::vector<uint32_t> ReadPixels(HDC source, int left, int top, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memoryDC = CreateCompatibleDC(source);
  HGDIOBJ previous = SelectObject(memoryDC, picture);
  BitBlt(memoryDC, 0, 0, width, height, source, left, top, SRCCOPY);
  GdiFlush();
  const uint32_t* words = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(words, words + size_t(width) * height);
  for (uint32_t& pixel : pixels) pixel &= 0x00FFFFFFu;
  SelectObject(memoryDC, previous);
  DeleteDC(memoryDC);
  DeleteObject(picture);
  return pixels;
}

bool WritePixelsPng(HDC source, int left, int top, int width, int height,
                    const std::string& unixPath) {
  const std::vector<uint32_t> pixels = ReadPixels(source, left, top, width, height);
  std::vector<unsigned char> rgb;
  rgb.reserve(pixels.size() * 3);
  for (uint32_t pixel : pixels) {
    rgb.insert(rgb.end(), {static_cast<unsigned char>(pixel >> 16),
                           static_cast<unsigned char>(pixel >> 8),
                           static_cast<unsigned char>(pixel)});
  }
  return WritePngFile(WindowsPathOfUnixPath(unixPath), width, height, rgb);
}

bool WriteScreenPng(const std::string& unixPath) {
  HDC screen = GetDC(nullptr);
  const bool written = WritePixelsPng(screen, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                      GetSystemMetrics(SM_CYSCREEN), unixPath);
  ReleaseDC(nullptr, screen);
  return written;
}

int32_t StartFromFreshSaverState() {
  ResetHostState();
  HostState.instance = GetModuleHandleA(nullptr);
  AnimState = AnimStateRecord{};
  SpriteField = SpriteFieldRecord{};
  FailAllocationAt(0);
  RemoveMakerKey();
  TakeQuitMessage();
  return HeapCounters.liveBlocks;
}

void ClearSaverStateAfterTest() {
  TakeQuitMessage();
  FailAllocationAt(0);
  RemoveMakerKey();
  ResetHostState();
}
#endif
