#include "host/saver_window.h"

#include "host/full_screen_area.h"
#include "host/host_state.h"
#include "host/host_window_proc.h"
#include "host/password_verifier.h"

const char SaverWindowClassName[] = "WindowsScreenSaverClass";
const char FullScreenTitle[] = "Screen Saver";
const char PreviewTitle[] = "Preview";

namespace {

// The class asks for icon 100, which the module does not have (its icon group
// is named "ID_APP"), so it gets none, as intended: full screen or inside the
// preview box, the saver's window has no caption to show one in.
const int SaverIconResource = 100;

struct SaverWindowShape {
  DWORD exStyle;
  DWORD style;
  const char* title;
  int left;
  int top;
  int width;
  int height;
};

WNDCLASSA SaverWindowClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = HostState.instance;
  windowClass.hIcon = LoadIconA(HostState.instance, MAKEINTRESOURCEA(SaverIconResource));
  windowClass.hCursor = nullptr;  // the pointer stays as SetCursor last made it
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = SaverWindowClassName;
  return windowClass;
}

SaverWindowShape PreviewShape(HWND parent) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(parent, &client);
  return SaverWindowShape{0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, PreviewTitle, 0, 0,
                          client.right, client.bottom};
}

// Every monitor, so that none of them keeps showing the desktop.
SaverWindowShape FullScreenShape() {
  const ScreenMetrics metrics = {
      GetSystemMetrics(SM_XVIRTUALSCREEN),  GetSystemMetrics(SM_YVIRTUALSCREEN),
      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
      GetSystemMetrics(SM_CXSCREEN),        GetSystemMetrics(SM_CYSCREEN)};
  const ScreenArea area = FullScreenArea(metrics);
  return SaverWindowShape{WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                          FullScreenTitle, area.left, area.top, area.width, area.height};
}

// One full-screen saver at a time: a second start shows the first instead.
bool BroughtRunningSaverToFront() {
  HWND running = FindWindowA(SaverWindowClassName, FullScreenTitle);
  if (running == nullptr || !IsWindow(running)) {
    return false;
  }
  SetForegroundWindow(running);
  return true;
}

int32_t RunMessageLoop() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int32_t>(message.wParam);
}

int32_t CreateAndRunSaverWindow(const WNDCLASSA& windowClass, const SaverWindowShape& shape,
                                HWND parent) {
  if (RegisterClassA(&windowClass) == 0) {
    return SaverWindowNotCreated;
  }
  HostState.saverWindow =
      CreateWindowExA(shape.exStyle, SaverWindowClassName, shape.title, shape.style, shape.left,
                      shape.top, shape.width, shape.height, parent, nullptr, HostState.instance,
                      nullptr);
  int32_t result = SaverWindowNotCreated;
  if (HostState.saverWindow != nullptr) {
    if (parent == nullptr) {
      SetForegroundWindow(HostState.saverWindow);
    }
    result = RunMessageLoop();
  }
  // Registered for this window only; a later run in the same process
  // registers it afresh.
  UnregisterClassA(SaverWindowClassName, HostState.instance);
  return result;
}

}  // namespace

int32_t RunSaverWindow(HWND parent) {
  const WNDCLASSA windowClass = SaverWindowClass();
  SaverWindowShape shape;
  if (parent != nullptr) {
    shape = PreviewShape(parent);
    HostState.isPreview = 1;
  } else {
    shape = FullScreenShape();
    if (BroughtRunningSaverToFront()) {
      return 0;
    }
    LoadPasswordVerifier();
  }
  const int32_t result = CreateAndRunSaverWindow(windowClass, shape, parent);
  UnloadPasswordVerifier();
  return result;
}
